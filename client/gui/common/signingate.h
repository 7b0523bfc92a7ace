#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace gearmart {

// Single sign-on before a tool that needs it is downloaded or opened: runs
// Signgate (application folder + "/Signgate/Signgate") synchronously with the
// "Translator" setting as its argument. Exit code 1 signs the user in for the
// rest of the session. The gate is no child of the widget that asks: that
// widget may be deleted while the user signs in, and the gate then simply
// fails.
class SignInGate : public QObject
{
    Q_OBJECT

public:
    // The owner's top-level window parents the gate's message.
    explicit SignInGate(QWidget* owner = nullptr);

    // Passes at once when already signed in or when IsDown is not 1.
    // Otherwise emits signalCover(true), runs Signgate, emits
    // signalCover(false), and passes only on exit code 1. A missing Signgate
    // fails the gate, tells the user (under the cover) and emits
    // signalSignInUnavailable(). While one sign-in runs, every other gate
    // fails at once.
    bool pass(int iToolkey);

    // Whether the tool needs a sign-in that has not happened yet.
    static bool needsSignIn(int iToolkey);
    static QString programPath();

    // Test seam: the program run instead of Signgate; empty restores it.
    static void setProgramForTesting(const QString& program);

signals:
    void signalCover(bool bCover);
    void signalSignInUnavailable();

private:
    // -1 when the program could not be started at all.
    int runSignIn();
    void reportUnavailable();

    QPointer<QWidget> m_pOwner;
    bool m_bHadOwner;
};

} // namespace gearmart
