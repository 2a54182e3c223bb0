// The About window: its eight labels where they belong, centring on the screen, and closing on a click on
// its background but not on a label.

#include "Centring.h"
#include "frmAbout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

namespace {

const char* const labelNames[] = {"Label1", "Label2", "Label3", "Label4",
                                  "Label5", "Label6", "Label7", "Label9"};

QLabel* label(QWidget* about, const QString& name) {
    return about->findChild<QLabel*>(name);
}

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void window();
    void labels_data();
    void labels();
    void labelsFitTheWindowWithoutOverlapping();
    void centrePosition_data();
    void centrePosition();
    void centresItselfOnTheScreen();
    void clickOnLabelKeepsItOpen_data();
    void clickOnLabelKeepsItOpen();
    void clickOnBackgroundClosesIt();
};

void TestAboutWindow::window() {
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Veltrane"));
    QVERIFY(about.windowFlags().testFlag(Qt::Tool));
    QCOMPARE(about.size(), QSize(268, 213)); // 4020 x 3195 twips
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.findChildren<QLabel*>().size(), 8);
}

void TestAboutWindow::labels_data() {
    QTest::addColumn<QString>("text"); // empty: any text of the project's own
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("font"); // bold or italic at 13.5 points, or the smaller default
    const auto row = [](const char* name, const char* text, QPoint position, const char* font) {
        QTest::newRow(name) << QString(text) << position << QString(font);
    };
    row("Label1", "Veltrane", QPoint(61, 16), "bold");
    row("Label2", "", QPoint(35, 48), "");
    row("Label3", "By", QPoint(128, 64), "");
    row("Label4", "", QPoint(25, 88), "italic");
    row("Label5", "", QPoint(72, 120), "");
    row("Label6", "", QPoint(72, 138), "");
    row("Label7", "", QPoint(72, 157), "");
    row("Label9", "", QPoint(72, 175), "");
}

void TestAboutWindow::labels() {
    QFETCH(QString, text);
    QFETCH(QPoint, position);
    QFETCH(QString, font);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    frmAbout about;
    const QLabel* shown = label(&about, name);
    QVERIFY(shown);
    QCOMPARE(shown->pos(), position);
    QVERIFY(!shown->text().trimmed().isEmpty());
    if (!text.isEmpty()) {
        QCOMPARE(shown->text(), text);
    }
    if (name == QLatin1String("Label2")) {
        QVERIFY2(shown->text().contains(QRegularExpression(QStringLiteral("\\b20\\d\\d\\b"))),
                 qPrintable(shown->text()));
    }
    if (font.isEmpty()) {
        QVERIFY(shown->font().pointSizeF() < 13.5);
    } else {
        QCOMPARE(shown->font().pointSizeF(), 13.5);
        QCOMPARE(shown->font().bold(), font == QLatin1String("bold"));
        QCOMPARE(shown->font().italic(), font == QLatin1String("italic"));
    }
}

void TestAboutWindow::labelsFitTheWindowWithoutOverlapping() {
    frmAbout about;
    for (const char* name : labelNames) {
        const QLabel* one = label(&about, QLatin1String(name));
        QVERIFY2(about.rect().contains(one->geometry()), name);
        for (const char* otherName : labelNames) {
            const QLabel* other = label(&about, QLatin1String(otherName));
            QVERIFY2(
                one == other || !one->geometry().intersects(other->geometry()),
                qPrintable(
                    QStringLiteral("%1 overlaps %2").arg(QLatin1String(name), QLatin1String(otherName))));
        }
    }
}

void TestAboutWindow::centrePosition_data() {
    QTest::addColumn<float>("screenWidth");
    QTest::addColumn<float>("screenHeight");
    QTest::addColumn<float>("windowWidth");
    QTest::addColumn<float>("windowHeight");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("left");
    QTest::addRow("1920x1080, About window") << 28800.f << 16200.f << 4020.f << 3195.f << 6502.5f << 12390.f;
    QTest::addRow("same size") << 12000.f << 9000.f << 12000.f << 9000.f << 0.f << 0.f;
    QTest::addRow("larger than the screen, not clamped")
        << 12000.f << 9000.f << 13000.f << 10500.f << -750.f << -500.f;
}

void TestAboutWindow::centrePosition() {
    QFETCH(float, screenWidth);
    QFETCH(float, screenHeight);
    QFETCH(float, windowWidth);
    QFETCH(float, windowHeight);
    QFETCH(float, top);
    QFETCH(float, left);
    const CentredPosition position = ::centrePosition(screenWidth, screenHeight, windowWidth, windowHeight);
    QCOMPARE(position.Top, top);
    QCOMPARE(position.Left, left);
}

void TestAboutWindow::centresItselfOnTheScreen() {
    QPointer<frmAbout> about = new frmAbout;
    const QRect screen = about->screen()->geometry();
    const QRect frame = about->frameGeometry();
    // Half a pixel of difference is the rounding of an odd size.
    QVERIFY2(qAbs(2 * (frame.center().x() + 1) - screen.width() - 2 * screen.left()) <= 2,
             qPrintable(QStringLiteral("x %1 on %2").arg(frame.x()).arg(screen.width())));
    QVERIFY2(qAbs(2 * (frame.center().y() + 1) - screen.height() - 2 * screen.top()) <= 2,
             qPrintable(QStringLiteral("y %1 on %2").arg(frame.y()).arg(screen.height())));
    delete about;
}

void TestAboutWindow::clickOnLabelKeepsItOpen_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : labelNames) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestAboutWindow::clickOnLabelKeepsItOpen() {
    QFETCH(QString, name);
    QPointer<frmAbout> about = new frmAbout;
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QLabel* clicked = label(about, name);
    QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->rect().center());
    QTest::qWait(20);
    QVERIFY(!about.isNull());
    QVERIFY(about->isVisible());
    delete about;
}

void TestAboutWindow::clickOnBackgroundClosesIt() {
    QPointer<frmAbout> about = new frmAbout;
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    const QPoint background(5, 5);
    QVERIFY(about->childAt(background) == nullptr);
    QTest::mouseClick(about, Qt::LeftButton, {}, background);
    QTRY_VERIFY(about.isNull());
}

QTEST_MAIN(TestAboutWindow)
#include "TestAboutWindow.moc"
