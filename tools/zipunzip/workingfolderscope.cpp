#include "workingfolderscope.h"

#include <fcntl.h>
#include <unistd.h>

WorkingFolderScope::WorkingFolderScope(const std::string& folder)
{
    m_previous = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_previous >= 0)
        m_entered = chdir(folder.c_str()) == 0;
}

WorkingFolderScope::~WorkingFolderScope()
{
    // Nothing sensible is left to do if returning fails.
    if (m_entered)
        (void)fchdir(m_previous);
    if (m_previous >= 0)
        close(m_previous);
}
