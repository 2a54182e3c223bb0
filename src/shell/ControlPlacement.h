#pragma once
// The main window's controls as it lays them out: rectangles in twips, check boxes that click only between
// checked and unchecked, the window's numbering of check states, and the placing of each kind of control.

#include "CheckState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRect>
#include <type_traits>

// A check box with the three states 0, 1 and 2 of which a click only ever produces 0 and 1: a checked box
// becomes unchecked, an unchecked or grayed one becomes checked (a grayed box is "not checked", so a click
// checks it, as an ordinary two-state box would).
class TwoWayCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override;
};

// Qt numbers the grayed state 1 and the checked state 2; the window's own numbering is the other way round.
Qt::CheckState toQt(CheckState state);
CheckState fromQt(Qt::CheckState state);

// A rectangle in twips as the window was laid out; a label's width and height follow its caption.
struct TwipsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

QRect twipsRect(const TwipsBox& twips);

// Check boxes and option buttons keep their place. Where this system's fonts draw a caption wider than the
// box was laid out for, the box grows to the right; where they need more height, it grows downwards, but
// never past the 240 twips from one row of options to the next.
void placeButton(QWidget* button, const QRect& laidOut);

// Labels size themselves to their caption, from their top left corner.
void placeLabel(QLabel* label, int left, int top);

// Selects an option button, or clears it without selecting the other button of its frame.
void setOption(QRadioButton* button, bool selected);

// A control of the window's own kind: check boxes are two-way boxes, and a control without a caption
// (combo box, text boxes) is made without one.
template <typename Widget> Widget* makeControl(const QString& caption, QWidget* parent) {
    if constexpr (std::is_same_v<Widget, QCheckBox>)
        return new TwoWayCheckBox(caption, parent);
    else if constexpr (std::is_same_v<Widget, QComboBox> || std::is_same_v<Widget, QPlainTextEdit>)
        return new Widget(parent);
    else
        return new Widget(caption, parent);
}

// Labels size themselves from their corner, check boxes and option buttons keep their place and grow where
// their caption needs it, everything else takes exactly its laid-out rectangle.
template <typename Widget> void placeControl(Widget* widget, const TwipsBox& twips) {
    if constexpr (std::is_same_v<Widget, QLabel>)
        placeLabel(widget, twips.left, twips.top);
    else if constexpr (std::is_same_v<Widget, QCheckBox> || std::is_same_v<Widget, QRadioButton>)
        placeButton(widget, twipsRect(twips));
    else
        widget->setGeometry(twipsRect(twips));
}
