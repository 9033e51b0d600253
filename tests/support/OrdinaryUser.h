#pragma once

// What a user without special rights meets: root may read and write any file, so a test run as
// root shows a refusal only in a child process that has given up root.

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// Runs `check` as an ordinary user: in this process when it is not root, else in a child process
// under the user nobody, which then needs the right to reach every folder the check uses.
// Answers whether the check held.
inline bool asOrdinaryUser(const std::function<bool()>& check)
{
    if (geteuid() != 0)
        return check();
    const pid_t child = fork();
    if (child == 0)
    {
        constexpr uid_t nobody = 65534;
        if (setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
