#include "accounthome.h"

#include <QByteArray>
#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

void AccountHome::ensure()
{
    if (!qEnvironmentVariableIsEmpty("HOME"))
        return;
    if (const passwd *account = getpwuid(getuid())) {
        if (account->pw_dir && *account->pw_dir)
            qputenv("HOME", QByteArray(account->pw_dir));
    }
}
