#pragma once

namespace lunadoze::sim {

class Simulator;

// Each group lives in a file of its own and adds its commands and its state lines to the
// simulator. A new group is one more function here.
void addDeviceCommands(Simulator& simulator);
void addSpringBoardCommands(Simulator& simulator);
void addPrefsCommands(Simulator& simulator);
void addLookingCommands(Simulator& simulator);
void addMusicCommands(Simulator& simulator);
void addSystemCommands(Simulator& simulator);
void addSnoozeStateLines(Simulator& simulator);
void addMediaControlsCommands(Simulator& simulator);
void addMediaControlsStateLines(Simulator& simulator);
void addSessionCommands(Simulator& simulator);
void addPictureCommands(Simulator& simulator);

inline constexpr void (*kCommandGroups[])(Simulator&) = {
    addDeviceCommands,          addSpringBoardCommands, addPrefsCommands,    addLookingCommands,
    addMusicCommands,           addSystemCommands,      addSnoozeStateLines, addMediaControlsCommands,
    addMediaControlsStateLines, addSessionCommands,     addPictureCommands,
};

}  // namespace lunadoze::sim
