#pragma once
// The About window: the product name, the date of the last update and the project's own facts on eight
// fixed labels. It centres itself when created, closes on a click on its background (not on a label) and
// deletes itself when closed.

#include <QWidget>

class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
