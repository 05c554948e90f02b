#include "ZezuzuDOD.h"

const QString ZezuzuDOD::version = QStringLiteral("0.9");
