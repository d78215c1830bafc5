#include "support/qtapplicationenvironment.h"

static auto* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);
