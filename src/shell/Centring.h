#pragma once
// Window geometry in twips (1/1440 inch, 15 to the pixel at 96 dots per inch) and the centring of a window
// on the screen when it loads.

class QWidget;

constexpr int twipsPerPixel = 15;

// Rounds to the nearest pixel: 518 twips are 35 pixels.
int twipsToPixels(int twips);

// Position of a window's top left corner, in twips.
struct CentredPosition {
    float Top = 0;
    float Left = 0;
};

// Top is worked out before Left, both in single precision, from the whole screen and the whole window
// (frame, title bar and menu bar included). Nothing is clamped: a window larger than the screen gets a
// negative position.
CentredPosition centrePosition(float screenWidth, float screenHeight, float windowWidth, float windowHeight);

// Moves a window that has not been shown yet to the centre of its screen: Top first, then Left.
void centreOnScreen(QWidget& window);
