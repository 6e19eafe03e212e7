// The main window as laid out: where every control lands in pixels at the screen's dpi, the
// chart's grid, focus order, menus and access keys, tooltips and Thai captions; and files
// dropped on it.
#include "Form1/Form1.h"
#include "LogFiles.h"
#include "Screens.h"
#include "platform/ErrorGuard.h"
#include "platform/qt/Native.h"
#include "platform/qt/ScreenDpi.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QColor Grid(0, 192, 0);
const QColor Background(192, 255, 255);

// The dpi the run was set up for: 96 unless the test's environment names another.
int expectedDpi()
{
    const int dpi = qEnvironmentVariableIntValue("VOK_TEST_DPI");
    return dpi ? dpi : 96;
}

// The highest inked row of `text` drawn in `font`, relative to its baseline.
int inkTop(const QFont &font, const QString &text)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(10, 60, text);
    painter.end();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return y - 60;
    return 0;
}

// How many rows of the chart hold red: one per flat trace.
int redRows(PictureBox *chart)
{
    const QImage shown = qt(chart)->grab().toImage();
    int rows = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixelColor(x, y) == Qt::red) {
                ++rows;
                break;
            }
    return rows;
}

std::string flatLog(int degrees, int badRecord = -1)
{
    std::string bytes;
    for (int i = 0; i < 141; ++i)
        appendRecord(bytes,
                     i == badRecord ? RecordBytes { 0, 0, 17, 16 } : recordForDegrees(degrees));
    return bytes;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

    Form1 *form = nullptr;
    double tpp = 15;
    QTemporaryDir dir;

    QRect expectedRect(const QRect &at96, const QRect &at144) const
    {
        return expectedDpi() == 144 ? at144 : at96;
    }

private slots:
    void initTestCase()
    {
        writeFile(dir.filePath("warm.log").toStdString(), flatLog(50));
        writeFile(dir.filePath("cold.log").toStdString(), flatLog(-10));
        writeFile(dir.filePath("bad.log").toStdString(), flatLog(90, 70));
    }

    void init()
    {
        form = new Form1;
        form->Show();
        QVERIFY(QTest::qWaitForWindowActive(qt(*form)));
        tpp = form->twipsPerPixel();
    }
    void cleanup()
    {
        delete form;
        form = nullptr;
        setErrorObserver({});
    }

    void screenDpi()
    {
        QCOMPARE(qt(*form)->logicalDpiX(), expectedDpi());
        QCOMPARE(tpp, 1440.0 / expectedDpi());
    }

    void window()
    {
        QCOMPARE(qt(*form)->windowTitle(), QStringLiteral("Kelvane  VOK"));
        QCOMPARE(qt(*form)->centralWidget()->size(),
                 expectedDpi() == 144 ? QSize(996, 704) : QSize(664, 469));
        QCOMPARE(qt(*form)->centralWidget()->geometry().top(),
                 qt(*form)->menuBar()->geometry().bottom() + 1);
        QCOMPARE(qt(*form)->centralWidget()->palette().color(
                         qt(*form)->centralWidget()->backgroundRole()),
                 qt(*form)->palette().color(QPalette::Button));
        const QList<QSize> iconSizes = qt(*form)->windowIcon().availableSizes();
        for (const QSize size : { QSize(16, 16), QSize(32, 32), QSize(48, 48) })
            QVERIFY2(iconSizes.contains(size), qPrintable(QString::number(size.width())));
        const QWindow *handle = qt(*form)->windowHandle();
        QVERIFY(handle->flags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(handle->flags() & Qt::WindowMaximizeButtonHint);
    }

    // Pixel rectangles at 96 and 144 dpi; every edge is rounded from twips, halves up.
    void controlGeometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("at96");
        QTest::addColumn<QRect>("at144");
        const auto row = [](const char *name, QRect at96, QRect at144) {
            QTest::newRow(name) << QString::fromLatin1(name) << at96 << at144;
        };
        row("Cm1", { 0, 0, 25, 25 }, { 0, 0, 38, 38 });
        row("Cm2", { 24, 0, 25, 25 }, { 36, 0, 38, 38 });
        row("Command1", { 48, 0, 25, 25 }, { 72, 0, 38, 38 });
        row("Command2", { 88, 0, 25, 25 }, { 132, 0, 38, 38 });
        row("Label3", { 512, 0, 65, 17 }, { 768, 0, 98, 26 });
        row("Text5", { 512, 16, 65, 21 }, { 768, 24, 98, 32 });
        row("Label19", { 592, 0, 57, 17 }, { 888, 0, 86, 26 });
        row("Text6", { 584, 16, 65, 21 }, { 876, 24, 98, 32 });
        row("Pic", { 88, 48, 561, 385 }, { 132, 72, 842, 578 });
        row("Text3", { 40, 48, 41, 21 }, { 60, 72, 62, 32 });
        row("Label1", { 40, 72, 41, 17 }, { 60, 108, 62, 26 });
        row("Label2", { 40, 104, 41, 17 }, { 60, 156, 62, 26 });
        row("Label12", { 40, 136, 41, 17 }, { 60, 204, 62, 26 });
        row("Label11", { 40, 168, 41, 17 }, { 60, 252, 62, 26 });
        row("Label10", { 40, 200, 41, 17 }, { 60, 300, 62, 26 });
        row("Label9", { 40, 232, 41, 17 }, { 60, 348, 62, 26 });
        row("Label8", { 40, 264, 41, 17 }, { 60, 396, 62, 26 });
        row("Label7", { 40, 296, 41, 17 }, { 60, 444, 62, 26 });
        row("Label6", { 40, 328, 41, 17 }, { 60, 492, 62, 26 });
        row("Label5", { 40, 360, 41, 17 }, { 60, 540, 62, 26 });
        row("Label4", { 40, 392, 41, 17 }, { 60, 588, 62, 26 });
        row("Text4", { 40, 416, 41, 21 }, { 60, 624, 62, 32 });
        row("Text1", { 88, 440, 41, 21 }, { 132, 660, 62, 32 });
        row("Label13", { 144, 440, 49, 17 }, { 216, 660, 74, 26 });
        row("Label14", { 224, 440, 49, 17 }, { 336, 660, 74, 26 });
        row("Label15", { 304, 440, 49, 17 }, { 456, 660, 74, 26 });
        row("Label16", { 384, 440, 49, 17 }, { 576, 660, 74, 26 });
        row("Label17", { 464, 440, 49, 17 }, { 696, 660, 74, 26 });
        row("Label18", { 544, 440, 49, 17 }, { 816, 660, 74, 26 });
        row("Text2", { 608, 440, 41, 21 }, { 912, 660, 62, 32 });
    }
    void controlGeometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, at96);
        QFETCH(QRect, at144);
        const QWidget *control = qt(*form)->centralWidget()->findChild<QWidget *>(name);
        QVERIFY(control);
        QVERIFY(control->isVisible() && control->isEnabled());
        QCOMPARE(control->geometry(), expectedRect(at96, at144));
    }

    void resizingMovesNothing()
    {
        const QRect pic = qt(form->Pic)->geometry();
        const QRect text2 = qt(form->Text2)->geometry();
        qt(*form)->resize(qt(*form)->size() + QSize(200, 150));
        QTRY_COMPARE(qt(*form)->centralWidget()->width(), qt(*form)->width());
        QCOMPARE(qt(form->Pic)->geometry(), pic);
        QCOMPARE(qt(form->Text2)->geometry(), text2);
    }

    void chartBorder()
    {
        QCOMPARE(qt(form->Pic)->frameWidth(), 2);
        QCOMPARE(qt(form->Pic)->contentsRect().size(), qt(form->Pic)->size() - QSize(4, 4));
    }

    // The grid in the chart as shown: green lines one device pixel wide every 480 twips down and
    // every 600 twips across, clipped by the inner area and never by anything drawn, at every
    // device pixel ratio; the window moves from screen to screen between the rows.
    void grid_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("125 %") << 1.25;
        QTest::newRow("150 %") << 1.5;
        QTest::newRow("200 %") << 2.0;
    }
    void grid()
    {
        QFETCH(qreal, ratio);
        SHOW_AT_RATIO(*qt(*form), ratio);
        tpp = form->twipsPerPixel();
        const QImage shown = qt(form->Pic)->grab().toImage();
        QRect inner; // where the chart's background shows
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixelColor(x, y) == Background)
                    inner |= QRect(x, y, 1, 1);
        QCOMPARE(inner.topLeft(), QPoint(innerOrigin(ratio), innerOrigin(ratio)));
        const auto horizontalAt = [&](int y) {
            for (int x = inner.left(); x <= inner.right(); ++x)
                if (shown.pixelColor(x, y) != Grid)
                    return false;
            return shown.pixelColor(inner.left() - 1, y) != Grid
                    && shown.pixelColor(inner.right() + 1, y) != Grid;
        };
        const auto verticalAt = [&](int x) {
            for (int y = inner.top(); y <= inner.bottom(); ++y)
                if (shown.pixelColor(x, y) != Grid)
                    return false;
            return shown.pixelColor(x, inner.top() - 1) != Grid
                    && shown.pixelColor(x, inner.bottom() + 1) != Grid;
        };
        QList<int> rows, columns;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            if (horizontalAt(y))
                rows << y - inner.top();
        for (int x = inner.left(); x <= inner.right(); ++x)
            if (verticalAt(x))
                columns << x - inner.left();
        QList<int> expectedRows, expectedColumns;
        for (int degrees = 160; degrees >= -40; degrees -= 20)
            expectedRows << int((180 - degrees) * 24 / tpp);
        for (int sample = 10; sample <= 130; sample += 10)
            expectedColumns << int(sample * 60 / tpp);
        QCOMPARE(rows, expectedRows);
        QCOMPARE(columns, expectedColumns);
        // Between the lines: the chart's background.
        QCOMPARE(shown.pixelColor(inner.left() + 3, inner.top() + 3), Background);
    }

    void gridStaysAboveTheTraceAndAfterCls()
    {
        const QRect inner = qt(form->Pic)->contentsRect();
        const int row = int(480 / tpp); // the +160 line
        const int column = int(600 / tpp); // the sample 10 line
        form->Pic->setAutoRedraw(true);
        // Red lines straight along a grid line and across both kinds.
        form->Pic->Line(0, 480, 8400, 480, 255);
        form->Pic->Line(0, 0, 8400, 5760, 255);
        form->Pic->Line(600, 0, 600, 5760, 255);
        QImage shown = qt(form->Pic)->grab().toImage();
        int red = 0;
        for (int x = inner.left(); x <= inner.right(); ++x) {
            QCOMPARE(shown.pixelColor(x, inner.top() + row), Grid);
            red += shown.pixelColor(x, inner.top() + row + 1) == Qt::red;
        }
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            QCOMPARE(shown.pixelColor(inner.left() + column, y), Grid);
        QVERIFY(red > 0);

        form->Pic->Cls();
        shown = qt(form->Pic)->grab().toImage();
        for (int x = inner.left(); x <= inner.right(); ++x)
            QCOMPARE(shown.pixelColor(x, inner.top() + row), Grid);
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                QVERIFY(shown.pixelColor(x, y) != Qt::red);
    }

    void tabOrder()
    {
        const QStringList expected { "Pic",   "Cm2",   "Cm1",   "Text1",    "Text2",    "Text3",
                                     "Text4", "Text5", "Text6", "Command1", "Command2", "Pic" };
        QStringList visited { QApplication::focusWidget()->objectName() };
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void menuCaptions()
    {
        QStringList bar, file;
        for (const QAction *action : qt(*form)->menuBar()->actions())
            bar << action->text();
        for (const QAction *action : qt(form->mnuFile)->menu()->actions()) {
            file << action->text();
            QVERIFY(action->shortcut().isEmpty());
            QVERIFY(action->isEnabled() && action->isVisible() && !action->isChecked());
        }
        QCOMPARE(bar, QStringList({ "&File", "&Help" }));
        QCOMPARE(file, QStringList({ "&New", "&Open", "E&xit" }));
        QVERIFY(!qt(form->mnuhelp)->menu());
    }

    // Alt+F opens File; its item's access key then chooses the item.
    void accessKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("item");
        QTest::newRow("New") << int(Qt::Key_N) << "mnuNew";
        QTest::newRow("Open") << int(Qt::Key_O) << "mnuopen";
        QTest::newRow("Exit") << int(Qt::Key_X) << "mnuexit";
    }
    void accessKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, item);
        form->CmD->setChooser([](const std::string &) { return std::string(); });
        const QAction *action = qt(*form)->findChild<QAction *>(item);
        QSignalSpy chosen(action, &QAction::triggered);
        QTest::keyClick(qt(*form), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(qt(form->mnuFile)->menu()->isVisible());
        QTest::keyClick(qt(form->mnuFile)->menu(), Qt::Key(key));
        QTRY_COMPARE(chosen.size(), 1);
        QTRY_VERIFY(!qt(form->mnuFile)->menu()->isVisible());
    }

    void toolTips()
    {
        QCOMPARE(qt(form->Cm1)->toolTip(), QStringLiteral("New"));
        QCOMPARE(qt(form->Cm2)->toolTip(), QStringLiteral("Open"));
        QVERIFY(qt(form->Command1)->toolTip().isEmpty());
        QVERIFY(qt(form->Command2)->toolTip().isEmpty());
    }

    void openFilter() { QCOMPARE(form->CmD->Filter, std::string("All File(*.*)|*.*")); }

    // Thai captions come out in a face that has Thai glyphs, shaped so that marks stack; the
    // test runs in the C locale.
    void thaiCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label3") << "Label3" << QString::fromUtf8("วัดครั้งที่");
        QTest::newRow("Label19") << "Label19" << QString::fromUtf8("อุณหภูมิ");
    }
    void thaiCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        const QLabel *label = qt(*form)->findChild<QLabel *>(name);
        QCOMPARE(label->text(), text);
        const QString family = QFontInfo(label->font()).family();
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Thai),
                 qPrintable(family));
        const QFontMetrics metrics(label->font());
        for (const QChar c : text)
            QVERIFY2(metrics.inFont(c), qPrintable(QString::number(c.unicode(), 16)));
        // Stacked: the tone mark is drawn above the vowel, not over it.
        QVERIFY(inkTop(label->font(), QString::fromUtf8("ที่"))
                < inkTop(label->font(), QString::fromUtf8("ที")));
        QCOMPARE(label->palette().color(label->foregroundRole()), QColor(0, 0, 255));
        QVERIFY(metrics.boundingRect(text).width() <= label->width());
    }

    void axisFonts()
    {
        QVERIFY(qt(form->Label1)->font().bold());
        QVERIFY(qt(form->Text1)->font().bold());
        QVERIFY(!qt(form->Label3)->font().bold());
        QVERIFY(QFontDatabase::writingSystems(QFontInfo(qt(form->Label1)->font()).family())
                        .contains(QFontDatabase::Thai));
    }

    // Drags as a file manager makes them, URLs with their text beside, and as a move (Shift);
    // items are files in the scratch folder ("" is the folder itself) or URLs as they are.
    void dropFiles_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("traces");
        QTest::addColumn<QString>("opened"); // LogFileName afterwards
        QTest::addColumn<QString>("error"); // the file the error names
        const auto row = [](const char *name, const char *target, const QStringList &items,
                            bool accepted, int traces, const char *opened, const char *error) {
            QTest::newRow(name) << target << items << accepted << traces << opened << error;
        };
        row("one file", "Pic", { "warm.log" }, true, 1, "warm.log", "");
        row("one file on a text box", "Text1", { "warm.log" }, true, 1, "warm.log", "");
        row("two files overlay", "Text5", { "warm.log", "cold.log" }, true, 2, "cold.log", "");
        row("a folder", "Pic", { "" }, false, 0, "", "");
        row("a file and a folder", "Text1", { "warm.log", "" }, false, 0, "", "");
        row("a non-local URL", "Pic", { "https://example.com/warm.log" }, false, 0, "", "");
        row("text only", "Pic", {}, false, 0, "", "");
        row("a bad file then a good one", "Pic", { "bad.log", "warm.log" }, true, 1, "bad.log",
            "bad.log");
        row("a missing file then a good one", "Text6", { "missing.log", "warm.log" }, true, 0,
            "missing.log", "missing.log");
    }
    void dropFiles()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, items);
        QFETCH(bool, accepted);
        QFETCH(int, traces);
        QFETCH(QString, opened);
        QFETCH(QString, error);
        QStringList errors;
        setErrorObserver([&](const std::exception &, const std::string &text) {
            errors << QString::fromStdString(text);
        });
        QList<QUrl> urls;
        for (const QString &item : items)
            urls << (item.contains("://") ? QUrl(item) : QUrl::fromLocalFile(dir.filePath(item)));
        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(urls);
        data.setText(items.isEmpty() ? "warm.log" : items.join('\n'));

        QWidget *control = qt(*form)->findChild<QWidget *>(target);
        const auto *box = qobject_cast<QLineEdit *>(control);
        const QString boxText = box ? box->text() : QString();
        const QPoint at = control->rect().center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        // All three are sent before any check: a drag left unfinished would keep its target.
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(control, &enter);
        QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(control, &move);
        QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(control, &drop);
        QCOMPARE(enter.isAccepted(), accepted);
        QCOMPARE(drop.isAccepted(), accepted);
        if (accepted) {
            QCOMPARE(move.dropAction(), Qt::CopyAction);
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);

        QCOMPARE(QString::fromStdString(form->LogFileName),
                 opened.isEmpty() ? opened : dir.filePath(opened));
        // Hidden and shown again, as in a minimised window: the traces were drawn to stay.
        qt(form->Pic)->hide();
        qt(form->Pic)->show();
        QCOMPARE(redRows(form->Pic), traces);
        QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
        if (!error.isEmpty())
            QVERIFY2(errors.first().contains('"' + dir.filePath(error) + '"'),
                     qPrintable(errors.first()));
        if (box)
            QCOMPARE(box->text(), boxText);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
