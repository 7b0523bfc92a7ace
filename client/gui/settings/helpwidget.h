#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

// The help pop-up of the title bar: the user manual and the licences.
class HelpWidget : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWidget(QWidget* parent = nullptr);

    void setApplicationDirectory(const QString& qstrDirectory) { m_qstrApplicationDir = qstrDirectory; }

signals:
    void signalCover(bool bCover);

public slots:
    void onManualButtonClicked();
    void onLicenseButtonClicked();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* m_manualButton = nullptr;
    QPushButton* m_licenseButon = nullptr;
    QString m_qstrApplicationDir;
    bool m_bNoDialogOpen = true;
};

} // namespace gearmart
