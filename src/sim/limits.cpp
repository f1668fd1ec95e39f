// SPDX-License-Identifier: MIT
// The limits table of the fourteen design inputs.
#include "sim/limits.h"

namespace zorbal::sim {

const LimitsTable& limitsTable() {
    static const LimitsTable table = [] {
        LimitsTable t;
        struct Row {
            double defaultValue, minimum, maximum;
            int decimals;
            const char* tooLow;
            const char* tooHigh;
        };
        const Row rows[kInputCount] = {
            {2, 0.25, 20, 2, "Sorry, the minimum volume that can be simulated is 0.25 litres",
             "Sorry, the maximum volume that can be simulated is 20 litres"},
            {30, 1, 99, 1, "The rocket won't work if bottle doesn't have some water in!",
             "The rocket won't work if you don't leave some room for the air!"},
            {1000, 75, 10000, 0, "Mmmm...just remind me of the liquid a density of less than 75 kg/m^3?",
             "Mmmm...just remind me of the liquid a density of greater than than 10000 kg/m^3?"},
            {3, 0.1, 7, 1, "Mmmm...I think you need to pump a little harder.",
             "More than 7 atmospheres pressure? That probably isn't safe: try reducing the drag instead!"},
            {22, 1, 30, 0, "The minimum nozzle diameter that can be simulated is 1 mm",
             "The maximum nozzle impedance that can be simulated is 30 mm"},
            {100, 10, 10000, 0, "A rocket with mass of less than 10 grammes is unfeasibly light.",
             "More than 10 kg? Ha ha ha..."},
            {10, 0, 1000, 1, "Its not possible to have less than no drag at all!",
             "1000 is the maximum drag factor. Are you trying to launch a dog?"},
            {60, 10, 90, 0, "10 degrees is the shallowest launch angle that can be simulated.",
             "90 degrees [a vertical (straight-up) launch] is largest launch angle"},
            {0.5, 0.1, 2, 2, "0.1 metres (10 centimetres) is the shortest launch rail that can be simulated.",
             "2.0 metres is the longest launch rail that can be simulated."},
            {70, 10, 100, 0, "The program cannot simulate an efficiency of less than 10%",
             "The nozzle cannot be more than 100% efficient."},
            {0, -10, 10, 1, "It's not safe to launch in wind speeds over 10 metres per second!",
             "It's not safe to launch in wind speeds over 10 metres per second!"},
            {0, -90, 90, 0, "The valid range is -90 degrees to +90 degrees",
             "The valid range is -90 degrees to +90 degrees"},
            {3, 0, 20, 1, "The parachute should not deploy before launch",
             "The maximum delay that can be simulated is 20 seconds"},
            {0.5, 0.01, 1, 2,
             "This program can't simulate a parachute smaller than 1 centimetre in diameter.",
             "This program can't simulate a parachute larger than 1 metre in diameter."},
        };
        for (int i = 0; i < kInputCount; ++i) {
            t.DefaultValue[i] = rows[i].defaultValue;
            t.MinimumValue[i] = rows[i].minimum;
            t.MaximumValue[i] = rows[i].maximum;
            t.DecimalPlaces[i] = rows[i].decimals;
            t.TooLowMessage[i] = rows[i].tooLow;
            t.TooHighMessage[i] = rows[i].tooHigh;
        }
        return t;
    }();
    return table;
}

const std::array<std::string, kInputCount>& inputCaptions() {
    static const std::array<std::string, kInputCount> captions = {"Volume of bottle",
                                                                  "Filling Factor",
                                                                  "Density of liquid",
                                                                  "Initial Pressure",
                                                                  "Nozzle Diameter",
                                                                  "Mass of empty rocket",
                                                                  "Drag Factor ",
                                                                  "Launch Angle",
                                                                  "Launch Rail Length",
                                                                  "Nozzle Efficiency",
                                                                  "Wind speed",
                                                                  "Trigger by angle from  horizontal",
                                                                  "Trigger by time delay after launch",
                                                                  "Parachute Diameter"};
    return captions;
}

const std::array<std::string, kInputCount>& inputUnits() {
    static const std::array<std::string, kInputCount> units = {
        "litres",  "%",      "kg/m^3", "atmospheres",       "millimetres", "grammes", "no units",
        "degrees", "metres", "%",      "metres per second", "degrees",     "s",       "metres"};
    return units;
}

} // namespace zorbal::sim
