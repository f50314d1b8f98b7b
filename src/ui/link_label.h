#pragma once

#include <QLabel>

namespace kelvo {

/// A plain-text label that looks and acts like a link: a pointing hand over
/// it, and clicked() on a left click released over it.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace kelvo
