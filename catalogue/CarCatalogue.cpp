#include "catalogue/CarCatalogue.h"

namespace rivetbay::CarCatalogue {

// One row per item, as the game indexes them.
// clang-format off

// Row 0 is the blank "no model" row: it carries the Courchelle's codes and layout.
const std::array<ModelSpec, modelCount> modelTable{{
    {"", "cgcour", "cgcourc", "corchel", "d1t1r1f1", "0", "0", 0, 1, 1, 1, 1, 15, 60, 60, 3, 3,
     {"", "", "", ""}},
    {"ABX AMZ", "azamz", "azamz", "ambamz", "d1t1r1", "1", "1", 2480, 0, 1, 1, 1, 10, 42, 38, 3, 3,
     {"Blue", "Red/White/Blue", "White", ""}},
    {"ABX Grappler", "agrapl", "agrappl", "grapplr", "r1t1", "3", "3", 1410, 0, 1, 1, 0, 5, 20, 20, 1, 1,
     {"Olive Drab", "", "", ""}},
    {"ABX Leprechaun", "alepre", "aleprec", "leprecn", "d1t1", "1", "1", 1360, 0, 1, 0, 1, 5, 20, 20, 4, 4,
     {"Brown/White", "Black", "Blue", "Sky Blue"}},
    {"ABX Strider", "astryd", "astrydr", "stryder", "d1t1", "3", "3", 1310, 0, 1, 0, 1, 5, 20, 20, 3, 3,
     {"Orange", "Rising Sun", "Desert Fox", ""}},
    {"Courcheval Cavera", "ccameo", "ccavera", "cavera", "r1t1t2", "9", "9", 2620, 0, 2, 1, 0, 10, 40, 40, 4, 4,
     {"Bondo & Primer", "Red", "Yellow", "Forest Green"}},
    {"Courcheval Courchelle", "cgcour", "cgcourc", "corchel", "d1t1r1f1", "0", "0", 3430, 1, 1, 1, 1, 15, 60, 60, 3, 3,
     {"Gold", "Avacado", "Devil", ""}},
    {"Courcheval Hacienda", "chacnd", "chacnda", "hacinda", "t1t2r1f1", "0", "0", 3870, 1, 2, 1, 0, 15, 60, 60, 2, 2,
     {"Yellow/Black", "Orange", "", ""}},
    {"Courcheval Manta", "cmanta", "cmanta", "manta", "d1t1t1f2f3", "4", "4", 3000, 2, 2, 0, 1, 10, 40, 40, 4, 4,
     {"Dark Green", "Blue/White", "Black/Red", "Orange"}},
    {"Courcheval Royale", "croyal", "croyale", "royale", "d1f1f2f3", "2", "2", 3730, 3, 0, 0, 1, 15, 60, 60, 4, 4,
     {"Black", "Burgundy", "Blue", "Taxi"}},
    {"Courcheval Cop Car", "cpolic", "cpolice", "police", "d1f1t1", "8", "8", 3450, 1, 1, 0, 1, 15, 65, 55, 3, 3,
     {"Sheriff", "New Mexico", "Texas", ""}},
    {"DPC Lightning VX", "dlight", "dlight", "lightng", "t1t2r1d1", "1", "1", 3730, 0, 2, 1, 1, 15, 60, 60, 4, 4,
     {"Brown", "Blue/White", "Teal", "Red"}},
    {"DPC Stag Pickup", "dstag", "dstag", "stag", "d1f2f1t2t1", "3", "3", 4940, 2, 2, 0, 1, 20, 80, 80, 3, 3,
     {"Red", "Green", "Blue", ""}},
    {"DPC Jackrabbit", "pjrabt", "pjrabit", "jrabbit", "d1d2t1f1", "4", "4", 3580, 1, 1, 0, 2, 15, 60, 60, 3, 3,
     {"Black/Red", "Yellow/Red", "Teal/White", ""}},
    {"DPC Piranha", "ppirna", "ppirnha", "piranha", "d1r1t1t2", "1", "1", 2660, 0, 2, 1, 1, 10, 40, 40, 4, 4,
     {"Orange/Black", "Blue/White", "Black, Checker Stripe", "Lime Green/Black"}},
    {"DPC Rampage", "drampg", "drampag", "rampage", "d1d2t1f1", "4", "4", 2660, 1, 1, 0, 2, 10, 40, 40, 2, 2,
     {"Red", "Black, White Stripe", "", ""}},
    {"Glenn Bushmaster", "goon", "goon", "goon", "d1d2f1f2f3", "3", "3", 1860, 3, 0, 0, 2, 5, 20, 20, 3, 3,
     {"Camouflage", "Postal", "Thing", ""}},
    {"Jefferson Limo", "jdread", "jdrednt", "dreadnt", "f1f2f3t1", "2", "2", 4940, 3, 1, 0, 0, 20, 80, 80, 1, 1,
     {"Black", "", "", ""}},
    {"Jefferson Sovereign", "jsovrn", "jsovern", "sovergn", "f1f2f3t1", "2", "2", 4000, 3, 1, 0, 0, 15, 60, 60, 3, 3,
     {"Silver", "Gold", "Maroon", ""}},
    {"Leopard XLC", "leoprd", "leopard", "leopard", "d1f1f2", "6", "6", 2520, 2, 0, 0, 1, 10, 40, 40, 2, 2,
     {"British Racing", "Red w/Black Roof", "", ""}},
    {"Moth Cargo Truck", "mcargo", "mcargo", "mcargo", "r1f1t2t1", "1", "1", 4740, 1, 2, 1, 0, 20, 80, 80, 4, 4,
     {"Bronze/Mondo Burger", "Bronze/Generic", "Gray/Generic", "Black/Generic"}, true},
    {"Moth Loadmaster", "mload", "mloadms", "loadmst", "d1r1t1t2", "1", "1", 4740, 0, 2, 1, 1, 20, 80, 80, 3, 3,
     {"Bronze", "Gray 2-Tone", "Black", ""}, true},
    {"Moth Tanker Truck", "xmilk", "mtanker", "mtanker", "t1r2r1f1f2", "1", "1", 4740, 2, 1, 2, 0, 20, 80, 80, 3, 3,
     {"Blue/Milk", "Red/Sincere", "White/Generic Gas", ""}, true},
    {"Moth Truck", "mxmoth", "mxmoth", "moth", "d1d2t1f1f2", "1", "1", 4940, 2, 1, 0, 2, 20, 80, 80, 3, 1,
     {"Red/Blue/White", "", "", ""}, true},
    {"Phaedra Clydesdale", "fdclyd", "fdclyde", "clydsdl", "d1r1f1t1t2", "3", "3", 4940, 1, 2, 1, 1, 20, 80, 80, 3, 3,
     {"White", "White/Red", "White/Green", ""}},
    {"Phaedra Coupe", "fcoupe", "fcoupe", "coupe", "t1f1", "7", "7", 1360, 1, 1, 0, 0, 5, 18, 22, 3, 3,
     {"Blue", "Black", "Red", ""}},
    {"Phaedra Rattler", "fratlr", "frattlr", "rattler", "t1t2", "6", "6", 1560, 0, 2, 0, 0, 5, 18, 22, 3, 3,
     {"Blue", "Black/Yellow", "Red/Black", ""}},
    {"Phaedra Palomino", "fpalmn", "fpalmno", "palomno", "d1f1f2", "4", "4", 2520, 2, 0, 0, 1, 10, 40, 40, 4, 4,
     {"Red/White", "Orange/White", "Yellow/Black", "White"}},
    {"Phaedra Pony SS", "fypony", "fypony", "pony", "t1r1", "6", "6", 1410, 0, 1, 1, 0, 5, 20, 20, 3, 3,
     {"Green", "Black/Flames", "Gray", ""}},
    {"Ransom Marshal", "rmarsh", "rmarshl", "marshal", "r1t1r2f1", "4", "4", 4000, 1, 1, 2, 0, 15, 60, 60, 2, 2,
     {"White", "Dark Green", "", ""}},
    {"Vikea Wagon", "avikea", "vavikea", "vikea", "d1d2t1", "2", "2", 2400, 0, 1, 0, 2, 10, 40, 40, 3, 3,
     {"Brown", "Gold", "Powder Blue", ""}},
    {"Warendorf FV", "wfwolf", "wfwolfv", "wolffv", "f1t1", "a", "7", 1540, 1, 1, 0, 0, 5, 20, 20, 2, 2,
     {"Lime Green", "Yellow", "", ""}},
    {"Warendorf Clown Car", "wclown", "wclown", "clown", "r1f1f2", "a", "7", 1630, 2, 0, 1, 0, 5, 20, 20, 1, 1,
     {"Clown Car", "", "", ""}},
    {"Ambulance", "xamblc", "xamblnc", "ambulnc", "d1d2t1t2f1", "2", "2", 4000, 1, 2, 0, 2, 15, 60, 60, 1, 1,
     {"Red w/White Top", "", "", ""}},
    {"Hearse", "xhears", "xhearse", "hearse", "r1r2t1t2f1", "2", "2", 4200, 1, 2, 2, 0, 15, 60, 60, 1, 1,
     {"Black", "", "", ""}},
    {"Bus", "xbus", "xbus", "bus", "d1d2r1t1f1", "1", "1", 4940, 1, 1, 1, 2, 20, 80, 80, 2, 1,
     {"Yellow", "", "", ""}},
    {"Skeeter's Van", "svan", "svan", "sktvan", "d1r1f1f2", "3", "3", 4580, 2, 0, 1, 1, 20, 80, 80, 1, 1,
     {"Olive Drab", "", "", ""}},
    {"Van", "cvan", "cvan", "stvan", "d1d2t1f1f2", "5", "5", 4740, 2, 1, 0, 2, 20, 80, 80, 4, 4,
     {"Yellow", "Orange", "Police", "Ice Cream"}},
}};

const std::array<PricedItem, engineCount> engineTable{{
    {"", 0}, {"V6", 2500}, {"V8", 3360}, {"SHO-V8", 4500}, {"V10", 6000}}};

const std::array<std::string_view, suspensionCount> suspensionNames{
    "", "Stock", "Sway Bars", "Coil Overs", "Ether-X"};

const std::array<std::string_view, brakesCount> brakesNames{
    "", "4-Wheel Drum", "Disc and Drum", "4-Wheel Disc", "Aircraft"};

const std::array<PricedItem, tireCount> tireTable{{
    {"", 0}, {"13\" Stock", 50}, {"14\" Rally", 100}, {"15\" Kragers", 200}, {"16\" Billets", 400}}};

const std::array<std::string_view, weaponCount> weaponNames{
    "",
    "30cal MG",
    "50cal MG",
    "7.62mm MG",
    "20mm Cannon",
    "25mm Cannon",
    "30mm Cannon",
    "Firerite Rocket",
    "Aim-Nein Missile",
    "DrRadar Missile",
    "FuN Missile",
    "Flamethrower",
    "Gas Launcher",
    "Napalm Hose",
    "Ball of Flame",
    "HE Mortar",
    "WP Mortar",
    "Cluster Bomb",
    "EZK Mortar",
    "Chemical Mortar",
};

const std::array<bool, weaponCount> weaponTurretCapable{
    false, true, true, true, true, true, true, true, true, true,
    false, true, true, true, true, false, false, false, false, false};

const std::array<std::string_view, dropperCount> dropperNames{
    "", "Oil Slick", "Fire Dropper", "Caltrops", "Landmines", "Blox Dropper"};

const std::array<std::string_view, specialCount> specialNames{
    "",           "Radar Jammer", "Nitrous Oxide",  "Blower",      "X-Aust Brake", "Structo Bumper",
    "Curb Feelers", "Mud Flaps",  "Heated Seats",   "Cup Holders", "Dashboard Mary", "Tire Covers"};

const std::array<std::uint32_t, 38> itemPriceTable{
    // weapons 0-19
    0, 550, 790, 1300, 1600, 1750, 2800, 850, 2500, 2500,
    2500, 850, 900, 1000, 950, 2750, 4750, 5500, 4050, 4000,
    // droppers 0-5
    0, 250, 1100, 1100, 500, 100,
    // specials 0-11
    0, 300, 500, 800, 600, 600, 100, 100, 300, 200, 200, 200};

const std::array<double, 10> factorTable{
    // suspensions 0-4
    0.0, 0.0, 0.4, 0.6, 0.7,
    // brakes 0-4
    0.0, 0.0, 0.2, 0.35, 0.45};

const std::array<std::string_view, 25> fileCodeTable{
    "",
    // droppers 1-5
    "oilslck", "firdrop", "caltrop", "landmin", "blox",
    // weapons 1-19 at 5 + w
    "mlight", "mmedium", "mheavy", "clight", "cmedium", "cheavy", "dumb", "sheat", "sradar",
    "s4get", "flight", "fmedium", "fheavy", "sball", "grenade", "whiteph", "cluster", "ezkill",
    "chem"};

// clang-format on

} // namespace rivetbay::CarCatalogue
