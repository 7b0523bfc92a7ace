#include "settings/folderpicker.h"

#include <QFileDialog>
#include <QQueue>

namespace gearmart {

namespace {
struct TestHook
{
    QQueue<QString> answers;
    int requests = 0;
    QString lastTitle;
};

TestHook& testHook()
{
    static TestHook hook;
    return hook;
}
} // namespace

QString FolderPicker::existingDirectory(QWidget* parent, const QString& qstrTitle,
                                        const QString& qstrStartDir)
{
    TestHook& hook = testHook();
    ++hook.requests;
    hook.lastTitle = qstrTitle;
    if (!hook.answers.isEmpty())
        return hook.answers.dequeue();
    return QFileDialog::getExistingDirectory(parent, qstrTitle, qstrStartDir,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
}

void FolderPicker::setNextAnswerForTesting(const QString& qstrFolder)
{
    // An empty QString must stay a queued "cancel", not vanish.
    testHook().answers.enqueue(qstrFolder.isNull() ? QStringLiteral("") : qstrFolder);
}

int FolderPicker::requestCountForTesting()
{
    return testHook().requests;
}

QString FolderPicker::lastTitleForTesting()
{
    return testHook().lastTitle;
}

void FolderPicker::resetForTesting()
{
    testHook() = TestHook();
}

} // namespace gearmart
