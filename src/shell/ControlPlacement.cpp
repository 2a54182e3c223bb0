#include "ControlPlacement.h"

#include "Centring.h"

#include <algorithm>

void TwoWayCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

Qt::CheckState toQt(CheckState state) {
    switch (state) {
    case CheckState::Checked:
        return Qt::Checked;
    case CheckState::Grayed:
        return Qt::PartiallyChecked;
    case CheckState::Unchecked:
        break;
    }
    return Qt::Unchecked;
}

CheckState fromQt(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return CheckState::Checked;
    case Qt::PartiallyChecked:
        return CheckState::Grayed;
    case Qt::Unchecked:
        break;
    }
    return CheckState::Unchecked;
}

QRect twipsRect(const TwipsBox& twips) {
    return QRect(twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
                 twipsToPixels(twips.height));
}

void placeButton(QWidget* button, const QRect& laidOut) {
    const int rowPitch = twipsToPixels(240);
    const QSize wanted = button->sizeHint();
    QRect area = laidOut;
    area.setWidth(std::max(laidOut.width(), wanted.width()));
    area.setHeight(std::max(laidOut.height(), std::min(wanted.height(), rowPitch)));
    button->setGeometry(area);
}

void placeLabel(QLabel* label, int left, int top) {
    label->move(twipsToPixels(left), twipsToPixels(top));
    label->adjustSize();
}

void setOption(QRadioButton* button, bool selected) {
    if (selected) {
        button->setChecked(true); // clears the other button of the frame
        return;
    }
    // Clearing the selected button leaves neither selected, which an exclusive group would refuse.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}
