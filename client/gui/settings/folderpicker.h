#pragma once

#include <QString>

class QWidget;

namespace gearmart {

// The standard choose-a-folder dialog, answerable by tests.
class FolderPicker
{
public:
    // An existing folder chosen by the user; empty when cancelled.
    static QString existingDirectory(QWidget* parent, const QString& qstrTitle, const QString& qstrStartDir);

    // Test seam, for headless tests only: each queued answer (empty means
    // cancel) answers one later call without showing anything.
    static void setNextAnswerForTesting(const QString& qstrFolder);
    static int requestCountForTesting();
    static QString lastTitleForTesting();
    static void resetForTesting();
};

} // namespace gearmart
