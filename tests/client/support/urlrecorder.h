#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop's file manager or viewer: records what it was
// asked to open (install it with QDesktopServices::setUrlHandler).
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};
