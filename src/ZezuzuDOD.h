#pragma once

#include "zezuzudod_export.h"

#include <QString>

/** The library itself: carries its version so that a tool can show which library it runs on. */
class ZEZUZUDOD_EXPORT ZezuzuDOD
{
public:
    /** "0.9" */
    static const QString version;
};
