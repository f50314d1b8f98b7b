#include "ui/custom_tab_buttons_binding.h"

#include <QPushButton>

namespace kelvo {

void connectCustomTabButtons(MainWindow& window, CustomTabButtons& buttons) {
    if (QPushButton* add = window.button("cmdAddCommand")) {
        QObject::connect(add, &QPushButton::clicked, &window,
                         [&buttons] { buttons.addCommandClicked(); });
    }
    if (QPushButton* remove = window.button("cmdRemoveCommand")) {
        QObject::connect(remove, &QPushButton::clicked, &window,
                         [&buttons] { buttons.removeCommandClicked(); });
    }
}

} // namespace kelvo
