#pragma once

#include <QFactoryInterface>
#include <QObject>

class QStyle;

namespace Lacquer {

// Offers the style to the client only: no keys in the metadata, so Qt's own
// style factory never picks it up; the client calls create() by name.
class LacquerPlugin : public QObject, public QFactoryInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.qt-project.Qt.Lacquer.QFactoryInterface" FILE "lacquer.json")
    Q_INTERFACES(QFactoryInterface)

public:
    QStringList keys() const override;
    // A new style for "Lacquer" (exact case), owned by the caller; null otherwise.
    Q_INVOKABLE QStyle* create(const QString& key);
};

} // namespace Lacquer
