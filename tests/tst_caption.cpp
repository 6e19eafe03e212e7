// Captions: a line of Thai drawn without the line-breaking pass must show exactly what a plain
// label shows, at every alignment, when it is clipped, and when it falls back to the label.
#include "platform/qt/CaptionWidget.h"

#include <QFile>
#include <QFontDatabase>
#include <QTest>

class TestCaption : public QObject
{
    Q_OBJECT

    QWidget *window = nullptr;
    QLabel *label = nullptr;
    CaptionWidget *caption = nullptr;

private slots:
    void init()
    {
        window = new QWidget;
        window->resize(300, 100);
        label = new QLabel(window);
        caption = new CaptionWidget(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    // First of all, while nothing in this process has laid out Thai: a caption of Thai must not
    // bring in the word-break dictionary, or it saves nothing.
    void thaiWithoutWordBreaking()
    {
        const QStringList thai = QFontDatabase::families(QFontDatabase::Thai);
        if (thai.isEmpty())
            QSKIP("no font that writes Thai is installed");
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("the loaded libraries cannot be listed here");
        caption->setFont(QFont(thai.constFirst()));
        caption->setText(QStringLiteral("วัดครั้งที่"));
        caption->setGeometry(0, 0, 65, 17);
        QVERIFY(caption->grab().toImage() != QImage());
        QVERIFY(!maps.readAll().contains("libthai"));
    }

    void sameAsLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("font"); // which installed Thai family, by index
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QMargins>("margins");
        const int centreTop = Qt::AlignHCenter | Qt::AlignTop;
        QTest::newRow("measurement number, centred")
                << QStringLiteral("วัดครั้งที่") << 0 << 8.25 << false << centreTop << QSize(65, 17)
                << QMargins();
        QTest::newRow("temperature, centred") << QStringLiteral("อุณหภูมิ") << 0 << 8.25 << false
                                              << centreTop << QSize(57, 17) << QMargins();
        QTest::newRow("stacked marks, bold, right and bottom")
                << QStringLiteral("ปู่ที่") << 1 << 12.0 << true
                << int(Qt::AlignRight | Qt::AlignBottom) << QSize(60, 40) << QMargins();
        QTest::newRow("left, centred down an odd height")
                << QStringLiteral("กำ") << 2 << 10.5 << false
                << int(Qt::AlignLeft | Qt::AlignVCenter) << QSize(33, 21) << QMargins();
        QTest::newRow("wider than its inner area, clipped")
                << QStringLiteral("ข้อความยาวเกินป้าย") << 0 << 9.0 << false << centreTop
                << QSize(48, 16) << QMargins(4, 3, 4, 3);
        QTest::newRow("Latin digits, left to the label")
                << QStringLiteral("140.") << 0 << 12.0 << true << int(Qt::AlignRight)
                << QSize(41, 17) << QMargins();
        QTest::newRow("Thai words and a space, left to the label")
                << QStringLiteral("วัด ครั้ง") << 0 << 8.25 << false << centreTop << QSize(65, 17)
                << QMargins();
    }
    void sameAsLabel()
    {
        QFETCH(QString, text);
        QFETCH(int, font);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(int, alignment);
        QFETCH(QSize, size);
        QFETCH(QMargins, margins);
        const QStringList thai = QFontDatabase::families(QFontDatabase::Thai);
        if (thai.isEmpty())
            QSKIP("no font that writes Thai is installed");
        QFont face(thai.value(font, thai.constFirst()));
        face.setPointSizeF(points);
        face.setBold(bold);
        for (QLabel *shown : { label, static_cast<QLabel *>(caption) }) {
            shown->setFont(face);
            shown->setText(text);
            shown->setAlignment(Qt::Alignment(alignment));
            shown->setGeometry(QRect(QPoint(3, 5), size));
            shown->setContentsMargins(margins);
            QPalette palette = shown->palette();
            palette.setColor(shown->foregroundRole(), QColor(0, 0, 255));
            shown->setPalette(palette);
        }
        const QImage expected = label->grab().toImage();
        QCOMPARE(caption->grab().toImage(), expected);
    }
};

QTEST_MAIN(TestCaption)
#include "tst_caption.moc"
