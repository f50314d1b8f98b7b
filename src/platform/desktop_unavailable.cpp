#include "platform/desktop.h"

#include <utility>

namespace kelvo {

namespace {

class UnavailableDesktop final : public Desktop {
public:
    explicit UnavailableDesktop(std::string reason) : m_reason(std::move(reason)) {}

    Status pressButton(PointerButton, bool) override { return failure(); }
    Status tapKey(const std::string&) override { return failure(); }
    Result<WindowHandle> activeWindow() override { return failure(); }
    std::string windowTitle(WindowHandle) override { return {}; }
    bool isDesktopOrDock(WindowHandle) override { return false; }
    Status closeWindow(WindowHandle) override { return failure(); }
    Status restoreWindow(WindowHandle) override { return failure(); }
    Status raiseWindowOf(std::uint32_t) override { return failure(); }
    Result<std::vector<WindowClass>> clientWindowClasses() override { return failure(); }

private:
    Status failure() const { return Status::failure(1, m_reason); }

    std::string m_reason;
};

} // namespace

std::unique_ptr<Desktop> makeUnavailableDesktop(std::string reason) {
    return std::make_unique<UnavailableDesktop>(std::move(reason));
}

} // namespace kelvo
