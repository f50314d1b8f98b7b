#pragma once

#include <QApplication>

namespace kelvo {

/// The hourglass a window shows while it works; never left behind when the
/// window goes.
class BusyPointer {
public:
    BusyPointer() = default;
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
    ~BusyPointer() { set(false); }

    void set(bool busy) {
        if (busy == m_busy) {
            return;
        }
        m_busy = busy;
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    }

private:
    bool m_busy = false;
};

} // namespace kelvo
