#include "model/exclusion_area.h"

const std::array<ObjectTypeInfo, ObjectTypeCount> kObjectTypes = {{
    {"excludeAllObjects", "Exc_All"},
    {"excludeBeaconObjects", "Exc_Beacon"},
    {"excludeEffectObjects", "Exc_Effects"},
    {"excludeGenericBuildingObjects", "Exc_GenBuild"},
    {"excludeLibraryObjects", "Exc_Library"},
    {"excludeTaxiwaySignObjects", "Exc_TaxiSigns"},
    {"excludeTriggerObjects", "Exc_Triggers"},
    {"excludeWindsockObjects", "Exc_Windsocks"},
}};
