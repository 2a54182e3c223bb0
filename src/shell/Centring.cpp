#include "Centring.h"

#include <QScreen>
#include <QWidget>
#include <cmath>

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

CentredPosition centrePosition(float screenWidth, float screenHeight, float windowWidth, float windowHeight) {
    CentredPosition position;
    position.Top = screenHeight / 2.0f - windowHeight / 2.0f;
    position.Left = screenWidth / 2.0f - windowWidth / 2.0f;
    return position;
}

namespace {

float toTwips(int pixels) {
    return static_cast<float>(pixels) * twipsPerPixel;
}

// A position in twips lands on the pixel it starts in, also left of or above the screen.
int toPixels(float twips) {
    return static_cast<int>(std::floor(twips / twipsPerPixel));
}

} // namespace

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return;
    }
    const QRect screenArea = screen->geometry();
    const QRect frame = window.frameGeometry();
    const CentredPosition position = centrePosition(toTwips(screenArea.width()), toTwips(screenArea.height()),
                                                    toTwips(frame.width()), toTwips(frame.height()));
    const int top = screenArea.top() + toPixels(position.Top);
    const int left = screenArea.left() + toPixels(position.Left);
    window.move(frame.left(), top);
    window.move(left, top);
}
