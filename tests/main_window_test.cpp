#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "fake_clock.h"
#include "fake_fatal_stop_sink.h"
#include "gbk.h"
#include "lucky_draw.h"
#include "main_window.h"
#include "temp_dir.h"

namespace {

class RecordingHandlers final : public WindowHandlers {
public:
    void onButtonClicked() override { ++clicks; }
    void onTimerTick() override { ++ticks; }
    void onWindowCloseQuery() override { ++closeQueries; }

    int clicks = 0;
    int ticks = 0;
    int closeQueries = 0;
};

QString utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

class MainWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_handlers = std::make_unique<RecordingHandlers>();
        m_window = std::make_unique<MainWindow>(*m_handlers);
    }
    void cleanup() {
        m_window.reset();
        m_handlers.reset();
    }

    void controlsStandWhereTheyShould() {
        auto* label = m_window->findChild<QWidget*>(utf8("标签1"));
        auto* button = m_window->findChild<QPushButton*>(utf8("按钮1"));
        auto* timer = m_window->findChild<QTimer*>(utf8("时钟1"));
        QVERIFY(label && button && timer);
        QCOMPARE(label->geometry(), QRect(16, 24, 336, 120));
        QCOMPARE(button->geometry(), QRect(80, 152, 224, 64));
        QCOMPARE(button->text(), utf8("摇一摇"));
        QCOMPARE(button->font().pixelSize(), 56);
        QCOMPARE(label->font().pixelSize(), 96);
        QCOMPARE(label->font().weight(), QFont::Normal);
        QVERIFY(!button->autoDefault() && !button->isDefault());
        QVERIFY(!timer->isActive());
        QVERIFY(m_window->windowTitle().isEmpty());
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());  // not resizable
        QVERIFY(!(m_window->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!m_window->windowIcon().isNull());
    }

    void spaceClicksTheFocusedButtonAndEnterAndF1DoNothing() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto* button = m_window->findChild<QPushButton*>(utf8("按钮1"));
        QCOMPARE(QApplication::focusWidget(), button);

        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter);
        QTest::keyClick(button, Qt::Key_F1);
        QCOMPARE(m_handlers->clicks, 0);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(m_handlers->clicks, 1);
        QCOMPARE(m_handlers->closeQueries, 0);
    }

    void escapeClosesThroughTheCloseQueryOnce() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window->findChild<QPushButton*>(utf8("按钮1")), Qt::Key_Escape);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_handlers->closeQueries, 1);
        m_window->close();  // what quitting sends again must not run the query a second time
        QCOMPARE(m_handlers->closeQueries, 1);
    }

    void timerPeriodRules() {
        auto* timer = m_window->findChild<QTimer*>(utf8("时钟1"));
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);

        m_window->setTimerPeriod(100);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 100);
        // Writing the same period again and again keeps the rhythm: a restart at every write
        // would never let a tick through.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 450) {
            m_window->setTimerPeriod(100);
            QTest::qWait(30);
        }
        QVERIFY(m_handlers->ticks >= 2);

        m_window->setTimerPeriod(-5);  // negative acts as 0
        QVERIFY(!timer->isActive());
        QCOMPARE(m_window->timerPeriod(), 0);
        m_window->setTimerPeriod(0);
        QVERIFY(!timer->isActive());

        m_window->setTimerPeriod(100);
        QTRY_VERIFY_WITH_TIMEOUT(m_handlers->ticks >= 4, 2000);
        m_window->setTimerPeriod(0);
        const int ticks = m_handlers->ticks;
        QTest::qWait(250);
        QCOMPARE(m_handlers->ticks, ticks);  // no tick after a stop
    }

    void aTickThatCameLateIsNotQueuedTwice() {
        m_window->setTimerPeriod(20);
        QTest::qSleep(200);  // the thread is busy for ten periods
        QTest::qWait(10);
        QVERIFY(m_handlers->ticks <= 2);
        m_window->setTimerPeriod(0);
    }

    void aHugeNameIsCutToItsVisibleMiddle() {
        // Laying out millions of characters would freeze the window for seconds at every tick.
        auto* label = m_window->findChild<NameLabel*>(utf8("标签1"));
        m_window->setLabelText(Text(10000000, 'x') + "MID" + Text(10000000, 'y'));
        QVERIFY(label->text().size() <= 4096);
        QVERIFY(label->text().contains(QStringLiteral("xMIDy")));
        m_window->setLabelText(gbk("张三"));
        QCOMPARE(label->text(), utf8("张三"));
    }

    void closingStopsTheTimer() {
        m_window->show();
        m_window->setTimerPeriod(50);
        m_window->close();
        const int ticks = m_handlers->ticks;
        QTest::qWait(200);
        QCOMPARE(m_handlers->ticks, ticks);
    }

private:
    std::unique_ptr<RecordingHandlers> m_handlers;
    std::unique_ptr<MainWindow> m_window;
};

// The program's handlers on the real window: what the title says after each kind of load, and
// what a close leaves on the disk.
class LuckyDrawWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<TempDir>(); }
    void cleanup() { m_dir.reset(); }

    void titleAfterLoadingThePool() {
        writeBytes(m_dir->file("未中名单.ini"), gbk("王五,李四,张三,"));
        writeBytes(m_dir->file("原始名单.ini"), gbk("甲,乙,"));
        auto [draw, window] = start();
        QCOMPARE(window->windowTitle(), utf8("已读入上次没中奖的人员名单,共计3人"));
        QCOMPARE(draw->pool().count(), 3);
    }

    void titleAfterLoadingTheFullList() {
        writeBytes(m_dir->file("原始名单.ini"), gbk("甲,乙,"));
        auto [draw, window] = start();
        QCOMPARE(window->windowTitle(), utf8(" 未发现上次未中名单，已读入原始名单。"));
        QCOMPARE(draw->pool().count(), 2);
    }

    void anEmptyPoolFileWinsOverTheFullList() {
        writeBytes(m_dir->file("未中名单.ini"), "");
        writeBytes(m_dir->file("原始名单.ini"), gbk("甲,乙,"));
        auto [draw, window] = start();
        QCOMPARE(window->windowTitle(), utf8("已读入上次没中奖的人员名单,共计0人"));
    }

    void closingSavesThePoolReversedAndTwoClosesBringTheOrderBack() {
        writeBytes(m_dir->file("原始名单.ini"), gbk("甲,乙,丙"));
        for (const char* expected : {"丙,乙,甲,", "甲,乙,丙,"}) {
            auto [draw, window] = start();
            window->show();
            window->close();
            QCOMPARE(readBytes(m_dir->file("未中名单.ini")), gbk(expected));
        }
    }

    void eventsBeforeTheLoadAreDropped() {
        writeBytes(m_dir->file("原始名单.ini"), gbk("甲,"));
        FakeFatalStopSink sink;
        RuntimeErrorStop stop(sink);
        FakeClock clock;
        LuckyDraw draw(m_dir->path().string(), clock, stop);
        MainWindow window(draw);
        QTest::mouseClick(window.findChild<QPushButton*>(utf8("按钮1")), Qt::LeftButton);
        draw.onWindowCloseQuery();
        QCOMPARE(window.timerPeriod(), 0);
        QVERIFY(!std::filesystem::exists(m_dir->file("未中名单.ini")));
    }

private:
    struct Started {
        std::unique_ptr<LuckyDraw> draw;
        std::unique_ptr<MainWindow> window;
    };
    Started start() {
        Started s;
        s.draw = std::make_unique<LuckyDraw>(m_dir->path().string(), m_clock, m_stop);
        s.window = std::make_unique<MainWindow>(*s.draw);
        s.draw->onWindowCreated(*s.window);
        return s;
    }

    std::unique_ptr<TempDir> m_dir;
    FakeFatalStopSink m_sink;
    RuntimeErrorStop m_stop{m_sink};
    FakeClock m_clock;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MainWindowTest windowTest;
    LuckyDrawWindowTest drawTest;
    return QTest::qExec(&windowTest, argc, argv) | QTest::qExec(&drawTest, argc, argv);
}

#include "main_window_test.moc"
