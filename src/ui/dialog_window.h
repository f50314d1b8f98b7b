#pragma once

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <string>

namespace kelvo {

/// A label that never reads its text as markup: server and user texts are
/// shown exactly as they are.
inline QLabel* plainLabel(const QString& text, const char* objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

/// The calls every small window's view shares (DialogView), for any of
/// those views. A window class adds its controls and forwards its events to
/// its logic, which it owns. A modal window blocks only the window it was
/// opened over (its parent), so message boxes shown meanwhile stay usable.
template <class View> class DialogWindow : public QDialog, public View {
public:
    void setCaption(const std::string& caption) override {
        setWindowTitle(QString::fromStdString(caption));
    }

    void showWindow(bool modal) override {
        if (modal && parentWidget() != nullptr) {
            setWindowModality(Qt::WindowModal);
        }
        raiseWindow();
        if (!modal || m_closing) {
            return;
        }
        QPointer<QDialog> alive(this);
        QEventLoop loop;
        m_modalLoop = &loop;
        loop.exec(QEventLoop::DialogExec);
        // Unloaded by someone else while waiting: nothing of it is left.
        if (alive.isNull()) {
            return;
        }
        m_modalLoop = nullptr;
        if (m_closing) {
            deleteLater();
        }
    }

    void raiseWindow() override {
        show();
        raise();
        activateWindow();
    }

    void closeWindow() override {
        if (m_closing) {
            return;
        }
        m_closing = true;
        m_timer.stop();
        hide();
        // A modal window goes once its wait has returned to the caller.
        if (m_modalLoop != nullptr) {
            m_modalLoop->exit();
            return;
        }
        deleteLater();
    }

    void armTimer(int ms) override { m_timer.start(ms); }

    /// The timer, for tests that look at its interval.
    const QTimer& timer() const { return m_timer; }

protected:
    DialogWindow(const char* objectName, QWidget* parent) : QDialog(parent) {
        setObjectName(objectName);
        m_timer.setObjectName("Timer1");
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { timerFired(); });
    }

    ~DialogWindow() override {
        if (m_modalLoop != nullptr) {
            m_modalLoop->exit();
        }
    }

    /// The timer ran out.
    virtual void timerFired() = 0;
    /// The user closed the window with its close button or Escape.
    virtual void closeRequested() = 0;

    void closeEvent(QCloseEvent* event) override {
        if (!m_closing) {
            closeRequested();
        }
        // Closed only when the logic let it go.
        if (m_closing) {
            event->accept();
        } else {
            event->ignore();
        }
    }

    void reject() override {
        if (!m_closing) {
            closeRequested();
        }
    }

private:
    QTimer m_timer;
    QEventLoop* m_modalLoop = nullptr;
    bool m_closing = false;
};

} // namespace kelvo
