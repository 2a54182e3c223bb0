#include "frmAbout.h"

#include "Centring.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>

#ifndef VELTRANE_LAST_UPDATED
#define VELTRANE_LAST_UPDATED "December 2026"
#endif

namespace {

constexpr int clientWidthTwips = 4020;
constexpr int clientHeightTwips = 3195;

enum class LabelFont { Default, Title, Maker };

struct LabelLayout {
    const char* name;
    QString text;
    LabelFont font;
    int leftTwips;
    int topTwips;
};

QFont labelFont(LabelFont kind) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (kind == LabelFont::Default) {
        return font;
    }
    font.setPointSizeF(13.5);
    font.setBold(kind == LabelFont::Title);
    font.setItalic(kind == LabelFont::Maker);
    return font;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Veltrane"));
    setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));

    // The labels keep their left and top and size themselves to their text.
    const LabelLayout labels[] = {
        {"Label1", QStringLiteral("Veltrane"), LabelFont::Title, 915, 240},
        {"Label2", QStringLiteral("Last updated " VELTRANE_LAST_UPDATED), LabelFont::Default, 518, 720},
        {"Label3", QStringLiteral("By"), LabelFont::Default, 1920, 960},
        {"Label4", QStringLiteral("The Veltrane developers"), LabelFont::Maker, 375, 1320},
        {"Label5", QStringLiteral("Built on Qt 6 and mdbtools"), LabelFont::Default, 1080, 1800},
        {"Label6", QStringLiteral("Free software"), LabelFont::Default, 1080, 2075},
        {"Label7", QStringLiteral("Access schema to SQL"), LabelFont::Default, 1080, 2350},
        {"Label9", QStringLiteral("See help.txt"), LabelFont::Default, 1080, 2625},
    };
    for (const LabelLayout& layout : labels) {
        auto* label = new QLabel(layout.text, this);
        label->setObjectName(QLatin1String(layout.name));
        label->setFont(labelFont(layout.font));
        label->setAttribute(Qt::WA_NoMousePropagation);
        label->move(twipsToPixels(layout.leftTwips), twipsToPixels(layout.topTwips));
        label->adjustSize();
    }

    centreOnScreen(*this);
}

// Clicks on a label stay with the label; a click ends on the background when no label lies under it.
void frmAbout::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(at) && childAt(at) == nullptr) {
        close();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
