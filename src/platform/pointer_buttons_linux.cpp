#include "platform/pointer_buttons.h"

#include <X11/Xlib.h>
// Xlib names its own result type Status; ours is kelvo::Status.
#undef Status

#include <array>

namespace kelvo {

namespace {

class X11PointerButtons final : public PointerButtons {
public:
    explicit X11PointerButtons(Display* display) : m_display(display) {}
    ~X11PointerButtons() override { XCloseDisplay(m_display); }
    X11PointerButtons(const X11PointerButtons&) = delete;
    X11PointerButtons& operator=(const X11PointerButtons&) = delete;

    int swapButtonMetric() override {
        std::array<unsigned char, 256> map{};
        const int count = XGetPointerMapping(m_display, map.data(), map.size());
        if (count < 3) {
            return -1;
        }
        // Physical button 1 acting as logical 3 is the left-handed layout.
        if (map[0] == 3 && map[2] == 1) {
            return 1;
        }
        return map[0] == 1 ? 0 : -1;
    }

    Status setButtonsSwapped(bool swapped) override {
        std::array<unsigned char, 256> map{};
        const int count = XGetPointerMapping(m_display, map.data(), map.size());
        if (count < 3) {
            return Status::failure(5, "The pointer has fewer than three buttons.");
        }
        map[0] = swapped ? 3 : 1;
        map[2] = swapped ? 1 : 3;
        const int result = XSetPointerMapping(m_display, map.data(), count);
        XSync(m_display, False);
        if (result == MappingBusy) {
            return Status::failure(5, "A pointer button is held down; try again.");
        }
        if (result != MappingSuccess) {
            return Status::failure(5, "The desktop refused the pointer mapping.");
        }
        return {};
    }

private:
    Display* m_display;
};

} // namespace

Result<std::unique_ptr<PointerButtons>> PointerButtons::create() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return Status::failure(5, "No X display to read the pointer buttons from.");
    }
    return std::unique_ptr<PointerButtons>(std::make_unique<X11PointerButtons>(display));
}

} // namespace kelvo
