#pragma once

#include <string>

// Makes a folder the working folder for the lifetime of the scope and then
// returns to the previous one. The working folder is process-wide: only for
// processes with a single thread.
class WorkingFolderScope
{
public:
    explicit WorkingFolderScope(const std::string& folder);
    ~WorkingFolderScope();
    WorkingFolderScope(const WorkingFolderScope&) = delete;
    WorkingFolderScope& operator=(const WorkingFolderScope&) = delete;

    bool entered() const { return m_entered; }

private:
    int m_previous = -1;
    bool m_entered = false;
};
