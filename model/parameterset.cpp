#include "model/parameterset.h"

namespace {

struct SlotDefinition
{
    const char *address;
    const char *defaultValue;
    const char *group;
};

// Register addresses rise with the slot number but leave gaps (900E -> 901E, 9065 -> 9067).
constexpr SlotDefinition kSlots[ParameterSet::kSlotCount] = {
    {"9000", "1", "1"},     {"9001", "200", "1"},   {"9002", "300", "1"},   {"9003", "1600", "1"},
    {"9004", "1500", "1"},  {"9005", "1500", "1"},  {"9006", "1460", "1"},  {"9007", "1440", "1"},
    {"9008", "1380", "1"},  {"9009", "1320", "1"},  {"900A", "1260", "1"},  {"900B", "1220", "1"},
    {"900C", "1200", "1"},  {"900D", "1110", "1"},  {"900E", "1060", "1"},  {"901E", "500", "2"},
    {"901F", "10", "2"},    {"9020", "600", "2"},   {"9021", "10", "2"},    {"903D", "0", "2"},
    {"903E", "512", "2"},   {"903F", "512", "2"},   {"9040", "512", "3"},   {"9042", "0", "2"},
    {"9043", "0", "2"},     {"9044", "10", "2"},    {"9045", "0", "2"},     {"9046", "0", "2"},
    {"9047", "19", "2"},    {"9048", "0", "2"},     {"9049", "0", "2"},     {"904A", "8", "2"},
    {"904B", "0", "2"},     {"904C", "0", "2"},     {"904D", "18", "2"},    {"905A", "10000", "3"},
    {"905B", "10000", "3"}, {"905C", "10000", "3"}, {"9065", "2560", "2"},  {"9067", "0", "1"},
    {"9069", "0", "2"},     {"906A", "1", "2"},     {"906B", "120", "1"},   {"906C", "120", "1"},
    {"906D", "30", "1"},    {"906E", "100", "1"},   {"9070", "0", "1"},     {"9072", "0", "3"},
    {"9073", "5000", "3"},  {"9078", "200", "3"},   {"9079", "10000", "3"}, {"907A", "512", "3"},
    {"907B", "512", "3"},   {"907C", "512", "3"},   {"907D", "10000", "3"}, {"907E", "10000", "3"},
    {"907F", "10000", "3"}, {"9080", "10000", "3"}, {"9081", "10000", "3"},
};

struct ProductDefinition
{
    const char *name;
    bool generalLoad;
};

constexpr ProductDefinition kProducts[ParameterSet::kProductCount] = {
    {"QM-X", true},        {"QM-XD", true},        {"QM-XDJ", false},   {"QM-XDJU", false},
    {"QM-MDJU", false},    {"ZR-XW", true},        {"Korvel-XW", true}, {"Korvel-XD", true},
    {"Korvel-MDJ", false}, {"Korvel-MDJU", false}, {"HWKT-GNF", false},
};

} // namespace

ParameterSet::ParameterSet()
{
    for (int i = 0; i < kProductCount; ++i) {
        productNames.append(QString::fromLatin1(kProducts[i].name));
        usesGeneralLoad[i] = kProducts[i].generalLoad;
    }
    for (const SlotDefinition &slot : kSlots) {
        addresses.append(QString::fromLatin1(slot.address));
        defaults.append(QString::fromLatin1(slot.defaultValue));
        groups.append(QString::fromLatin1(slot.group));
    }
    values = defaults;
}

QList<int> ParameterSet::GroupWalk(GroupSelection selection) const
{
    QList<int> walk;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (SelectionHasTag(selection, groups.at(slot)))
            walk.append(slot);
    }
    return walk;
}

GroupSelection SelectionFromBoxes(bool batteryBox, bool loadBox, bool generalLoad)
{
    if (batteryBox && loadBox)
        return generalLoad ? GroupSelection::BatteryLoad : GroupSelection::All;
    if (batteryBox)
        return GroupSelection::Battery;
    if (loadBox)
        return generalLoad ? GroupSelection::Load : GroupSelection::LoadLed;
    return GroupSelection::None;
}

int SlotCount(GroupSelection selection)
{
    switch (selection) {
    case GroupSelection::None:
        return 0;
    case GroupSelection::Battery:
        return 21;
    case GroupSelection::Load:
        return 22;
    case GroupSelection::LoadLed:
        return 38;
    case GroupSelection::BatteryLoad:
        return 43;
    case GroupSelection::All:
        return 59;
    }
    return 0;
}

GroupSelection SelectionFromSlotCount(qsizetype count)
{
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        if (SlotCount(s) == count)
            return s;
    }
    return GroupSelection::None;
}

bool SelectionHasTag(GroupSelection selection, const QString &tag)
{
    const bool battery = selection == GroupSelection::Battery ||
                         selection == GroupSelection::BatteryLoad ||
                         selection == GroupSelection::All;
    const bool load = selection != GroupSelection::None && selection != GroupSelection::Battery;
    const bool led = selection == GroupSelection::LoadLed || selection == GroupSelection::All;
    return (tag == QLatin1String("1") && battery) || (tag == QLatin1String("2") && load) ||
           (tag == QLatin1String("3") && led);
}
