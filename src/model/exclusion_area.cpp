#include "model/exclusion_area.h"

const std::array<ObjectTypeInfo, ObjectTypeCount> kObjectTypes = {{
    {"excludeAllObjects", "Exc_All", "all objects"},
    {"excludeBeaconObjects", "Exc_Beacon", "beacons"},
    {"excludeEffectObjects", "Exc_Effects", "effects"},
    {"excludeGenericBuildingObjects", "Exc_GenBuild", "buildings"},
    {"excludeLibraryObjects", "Exc_Library", "library"},
    {"excludeTaxiwaySignObjects", "Exc_TaxiSigns", "taxiway signs"},
    {"excludeTriggerObjects", "Exc_Triggers", "triggers"},
    {"excludeWindsockObjects", "Exc_Windsocks", "windsocks"},
}};
