// Quillkit as the uninstaller uses it: the resource file and its style
// sheet, file joining, the tip dialog's models answered by real clicks and
// through the seam, and dragging a frameless window by its title.
#include "modaldriver.h"
#include "quillkit/commandbutton.h"
#include "quillkit/fancytitle.h"
#include "quillkit/file.h"
#include "quillkit/modaltipdialog.h"
#include "quillkit/resource.h"
#include "quillkit/secondcommandbutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using quillkit::CModalTipDialog;

class TestQuillkit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CModalTipDialog::clearAnswersForTesting(); }

    void initResourceRegistersTheFileAndReturnsItsStyle()
    {
        QString styleSheet = QStringLiteral("stale");
        QVERIFY(
            !quillkit::InitResource(QStringLiteral("/nonexistent/rcc/guiresource.rcc"), styleSheet, false));
        QVERIFY(styleSheet.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral(":/QuillKit/images/tip_warning.svg")));

        QVERIFY(quillkit::InitResource(QStringLiteral(QUILLKIT_RCC_FILE), styleSheet, false));
        QVERIFY(styleSheet.contains(QLatin1String("quillkit--CCommandButton")));
        QVERIFY(styleSheet.contains(QLatin1String("quillkit--CSecondCommandButton")));
        QVERIFY(QFile::exists(QStringLiteral(":/QuillKit/images/tip_warning.svg")));

        // Again, with and without reloading: the same text, still registered.
        QString again;
        QVERIFY(quillkit::InitResource(QStringLiteral(QUILLKIT_RCC_FILE), again, false));
        QCOMPARE(again, styleSheet);
        QVERIFY(quillkit::InitResource(QStringLiteral(QUILLKIT_RCC_FILE), again, true));
        QCOMPARE(again, styleSheet);
        QVERIFY(QFile::exists(QStringLiteral(":/QuillKit/qss/quillkit.qss")));
    }

    void targetPathIsTheProgramFolderWithSeparator()
    {
        QCOMPARE(quillkit::GetTargetPath(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    }

    void readAllJoinsListedFilesInOrder()
    {
        QTemporaryDir dir;
        auto write = [&dir](const char* name, const QByteArray& data) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(data);
        };
        write("b.qss", "B{}");
        write("a.qss", "A{}\n");
        write("c.qss", "C{ color: \xe7\xba\xa2; }\n");
        const QString text = quillkit::CFile::ReadAll({QStringLiteral("b.qss"), QStringLiteral("missing.qss"),
                                                       QStringLiteral("a.qss"), QStringLiteral("c.qss")},
                                                      dir.path());
        // A file without a final line break does not run into the next one.
        QCOMPARE(text, QStringLiteral("B{}\nA{}\nC{ color: 红; }\n"));
        QCOMPARE(quillkit::CFile::ReadAll({}, dir.path()), QString());
    }

    void dialogModelsAndSizes_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("expectedModel");
        QTest::addColumn<bool>("cancelShown");
        QTest::addColumn<QSize>("expectedSize");
        QTest::newRow("confirm, large") << 3 << 1 << 3 << true << QSize(480, 240);
        QTest::newRow("warn, small") << 2 << 0 << 2 << false << QSize(400, 200);
        QTest::newRow("info") << 1 << 0 << 1 << false << QSize(400, 200);
        QTest::newRow("unknown numbers") << 9 << 7 << 1 << false << QSize(400, 200);
    }

    void dialogModelsAndSizes()
    {
        QFETCH(int, model);
        QFETCH(int, size);
        QFETCH(int, expectedModel);
        QFETCH(bool, cancelShown);
        QFETCH(QSize, expectedSize);
        CModalTipDialog dialog;
        dialog.setDialogModel(model);
        dialog.setDialogSize(size);
        dialog.setContentText(QStringLiteral("Uninstall now?"));
        dialog.show();
        QCOMPARE(dialog.dialogModel(), expectedModel);
        QCOMPARE(dialog.cancelButton()->isVisible(), cancelShown);
        QVERIFY(dialog.confirmButton()->isVisible());
        QCOMPARE(dialog.size(), expectedSize);
        QCOMPARE(dialog.contentText(), QStringLiteral("Uninstall now?"));
        QVERIFY(!dialog.confirmButton()->accessibleName().isEmpty());
    }

    void confirmDialogIsAnsweredByItsButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK") << "m_pTipConfirmBtn" << int(QDialog::Accepted);
        QTest::newRow("Cancel") << "m_pTipCancelBtn" << int(QDialog::Rejected);
        QTest::newRow("close") << "m_pTipCloseBtn" << int(QDialog::Rejected);
    }

    void confirmDialogIsAnsweredByItsButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, expected);
        CModalTipDialog dialog;
        dialog.setDialogModel(CModalTipDialog::ModelConfirm);
        dialog.setContentText(QStringLiteral("Uninstall now?"));
        bool clicked = false;
        whenModalShown([&](QDialog* shown) {
            auto* target = shown->findChild<QPushButton*>(button);
            if (target) {
                clicked = true;
                QTest::mouseClick(target, Qt::LeftButton);
            }
        });
        QCOMPARE(dialog.exec(), expected);
        QVERIFY(clicked);
    }

    void showMessageWarnRunsAOneButtonWarning()
    {
        whenModalShown([](QDialog* shown) {
            auto* dialog = qobject_cast<CModalTipDialog*>(shown);
            QVERIFY(dialog);
            QVERIFY(!dialog->cancelButton()->isVisible());
            QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
        });
        QVERIFY(CModalTipDialog::ShowMessageWarn(QStringLiteral("The client is running"), 0, nullptr));
        const auto shown = CModalTipDialog::shownForTesting();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().model, int(CModalTipDialog::ModelWarn));
        QCOMPARE(shown.first().text, QStringLiteral("The client is running"));
    }

    void nextAnswersAreTakenInOrderWithoutShowing()
    {
        CModalTipDialog::setNextAnswerForTesting(QDialog::Rejected);
        CModalTipDialog::setNextAnswerForTesting(QDialog::Accepted);
        CModalTipDialog confirm;
        confirm.setDialogModel(3);
        confirm.setDialogSize(1);
        confirm.setContentText(QStringLiteral("first"));
        QCOMPARE(confirm.exec(), int(QDialog::Rejected));
        QVERIFY(!confirm.isVisible());
        QVERIFY(CModalTipDialog::ShowMessageWarn(QStringLiteral("second")));
        const auto shown = CModalTipDialog::shownForTesting();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).model, 3);
        QCOMPARE(shown.at(0).size, 1);
        QCOMPARE(shown.at(1).text, QStringLiteral("second"));
    }

    void fancyTitleDragsItsWindow()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        auto* layout = new QVBoxLayout(&window);
        auto* title = new quillkit::CFancyTitle(&window);
        title->setFixedHeight(40);
        layout->addWidget(title);
        window.resize(300, 200);
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint start = window.pos();

        const QPoint inside(10, 10);
        const QPoint global = title->mapToGlobal(inside);
        QMouseEvent press(QEvent::MouseButtonPress, inside, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(title, &press);
        QMouseEvent move(QEvent::MouseMove, inside + QPoint(30, 40), global + QPoint(30, 40), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(title, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, inside + QPoint(30, 40), global + QPoint(30, 40),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(title, &release);
        QTRY_COMPARE(window.pos(), start + QPoint(30, 40));

        // Without the button held, moving does nothing.
        QMouseEvent hover(QEvent::MouseMove, inside, global + QPoint(90, 90), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(title, &hover);
        QCOMPARE(window.pos(), start + QPoint(30, 40));
    }
};

QTEST_MAIN(TestQuillkit)
#include "tst_quillkit.moc"
