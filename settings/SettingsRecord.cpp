#include "settings/SettingsRecord.h"

SettingsRecord settings = {};
