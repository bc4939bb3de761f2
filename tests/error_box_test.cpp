#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "error_box.h"
#include "fatal_stop.h"

class ErrorBoxTest final : public QObject {
    Q_OBJECT

private slots:
    void showsTheTextWithTitleIconAndOneButton() {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QWidget* parent = reinterpret_cast<QWidget*>(1);
        // The box is modal: the test answers it from inside its own event loop.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            parent = box->parentWidget();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });

        QtFatalStopSink sink;
        sink.showErrorBox(runtimeErrorText(1, text::kIndexAboveCount), Text(text::kErrorBoxTitle));

        QCOMPARE(title, QString::fromUtf8("错误"));
        QCOMPARE(text,
                 QString::fromUtf8(
                     "运行时出错!\n\n错误代码：1\n\n错误信息：数组成员引用下标超出定义范围\n"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, 1);
        QCOMPARE(parent, nullptr);
    }
};

QTEST_MAIN(ErrorBoxTest)
#include "error_box_test.moc"
