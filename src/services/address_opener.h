#pragma once

#include "platform/shell.h"
#include "services/browser_window_check.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// Show states callers pass; the desktop opener does not distinguish them.
inline constexpr int kShowHidden = 0;
inline constexpr int kShowNormal = 1;

/// Opens every web page, document and program the program opens.
class AddressOpener {
public:
    AddressOpener(Shell& shell, BrowserWindowCheck check);

    /// Opens target with the default operation (an empty operation or
    /// "open"): an address or a document goes to its desktop handler, an
    /// executable file is started with the blank-separated parameters (a
    /// double-quoted parameter may hold blanks). Then warns about too many
    /// browser windows when that applies. Returns the shell result: above 32
    /// is success; an empty target gives 2 (not found) and another
    /// operation, such as "Print", 31 (no handler), both without a call.
    /// Failures are not reported; callers decide.
    int openUrl(std::string_view target, std::string_view operation = {},
                std::string_view parameters = {}, std::string_view directory = {},
                int showCommand = kShowNormal);

private:
    int open(std::string_view target, std::string_view operation, std::string_view parameters);

    Shell& m_shell;
    BrowserWindowCheck m_check;
};

/// The arguments of a parameter text: separated by blanks, a double-quoted
/// part kept whole without its quotes.
std::vector<std::string> splitParameters(std::string_view parameters);

} // namespace kelvo
