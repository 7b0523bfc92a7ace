#pragma once

#include <QObject>

namespace gearmart {

// Single sign-on before a tool that needs it is downloaded or opened: runs
// Signgate (application folder + "/Signgate/Signgate") synchronously with the
// "Translator" setting as its argument. Exit code 1 signs the user in for the
// rest of the session.
class SignInGate : public QObject
{
    Q_OBJECT

public:
    explicit SignInGate(QObject* parent = nullptr);

    // Passes at once when already signed in or when IsDown is not 1.
    // Otherwise emits signalCover(true), runs Signgate, emits
    // signalCover(false), and passes only on exit code 1. A missing Signgate
    // fails the gate and emits signalSignInUnavailable().
    bool pass(int iToolkey);

    // Test seam: the program run instead of Signgate.
    static void setProgramForTesting(const QString& program);

signals:
    void signalCover(bool bCover);
    void signalSignInUnavailable();
};

} // namespace gearmart
