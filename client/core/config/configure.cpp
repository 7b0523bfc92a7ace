#include "config/configure.h"

namespace gearmart {

Configure::Configure(const QString& qstrName, const QString& qstrValue)
    : m_qstrName(qstrName), m_qstrValue(qstrValue)
{
}

Configure::~Configure() = default;

} // namespace gearmart
