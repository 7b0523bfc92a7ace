// The main program's update dialog: its bar completing the update, and the
// byte line under the bar.
#include "common/transferprogresslabel.h"
#include "transfer/transferprogresstext.h"
#include "update/updateversiondialog.h"
#include "widgets/progressbar.h"

#include <QPushButton>
#include <QtTest>

using namespace gearmart;

namespace {

TransferProgress figures(qint64 received)
{
    TransferProgress progress;
    progress.received = received;
    progress.total = 80 * 1024 * 1024;
    progress.rate = 2 * 1024 * 1024;
    return progress;
}

} // namespace

class TestUpdateVersionDialog : public QObject
{
    Q_OBJECT

private:
    // What the main window and the settings page do for one progress reply.
    static void reply(UpdateVersionDialog& dialog, int value, const TransferProgress& progress)
    {
        dialog.setProgress(value);
        dialog.setTransferProgress(progress);
    }

private slots:
    void lineFollowsTheMainProgramsDownload()
    {
        UpdateVersionDialog dialog;
        auto* line = dialog.findChild<TransferProgressLabel*>(QStringLiteral("transferLabel"));
        QVERIFY(line);
        QVERIFY(!line->accessibleName().isEmpty());
        dialog.setProgress(0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!line->isVisibleTo(&dialog));

        reply(dialog, 3, figures(3 * 1024 * 1024));
        QVERIFY(line->isVisibleTo(&dialog));
        QCOMPARE(line->fullText(), TransferProgressText::format(figures(3 * 1024 * 1024)));
        QCOMPARE(line->text(), line->fullText());
        // The dialog keeps its size; the line stays clear of bar and button.
        QCOMPARE(dialog.size(), QSize(320, 124));
        auto* bar = dialog.findChild<ProgressBar*>(QStringLiteral("progressBar"));
        auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cancelBtn"));
        QVERIFY(dialog.rect().contains(line->geometry()));
        QVERIFY(line->geometry().top() > bar->geometry().bottom());
        QVERIFY(!line->geometry().intersects(cancel->geometry()));

        // A reply without figures keeps the bar alone.
        reply(dialog, 5, TransferProgress());
        QVERIFY(!line->isVisibleTo(&dialog));
        QCOMPARE(dialog.progress(), 5);

        // Completion: the dialog hides and forgets the line.
        reply(dialog, 40, figures(32 * 1024 * 1024));
        QVERIFY(line->isVisibleTo(&dialog));
        QSignalSpy completed(&dialog, &UpdateVersionDialog::signalUpdateCompleted);
        dialog.setProgress(100);
        QCOMPARE(completed.size(), 1);
        QVERIFY(dialog.isHidden());
        QVERIFY(!line->isVisibleTo(&dialog));
    }

    void aNewAttemptStartsWithoutOldFigures()
    {
        UpdateVersionDialog dialog;
        auto* line = dialog.findChild<TransferProgressLabel*>(QStringLiteral("transferLabel"));
        dialog.setProgress(0);
        dialog.show();
        reply(dialog, 60, figures(50 * 1024 * 1024));
        QVERIFY(line->isVisibleTo(&dialog));

        QSignalSpy cancelled(&dialog, &UpdateVersionDialog::signalUpdateCancel);
        dialog.findChild<QPushButton*>(QStringLiteral("cancelBtn"))->click();
        QCOMPARE(cancelled.size(), 1);
        QVERIFY(dialog.isHidden());

        // The main window starts the next attempt at 0 and shows the dialog.
        dialog.setProgress(0);
        dialog.show();
        QVERIFY(!line->isVisibleTo(&dialog));
        reply(dialog, 0, figures(1024));
        QVERIFY(line->isVisibleTo(&dialog));
        dialog.reset();
        QVERIFY(!line->isVisibleTo(&dialog));

        // The setter shows figures directly; unknown ones hide the line.
        dialog.setTransferProgress(figures(2048));
        QCOMPARE(line->fullText(), TransferProgressText::format(figures(2048)));
        dialog.setTransferProgress(TransferProgress());
        QVERIFY(!line->isVisibleTo(&dialog));
    }
};

QTEST_MAIN(TestUpdateVersionDialog)
#include "tst_updateversiondialog.moc"
