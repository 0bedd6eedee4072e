#include "game/state.h"

namespace vorlask {

void TForm3::FormKeyDown(std::uint16_t) {}
void TForm3::FormMouseUp(MouseButton, int, int) {}
void TForm3::TurnCycle() {}
void TForm3::wolf2() {}
void TForm3::ClickMapping() {}
void TForm3::OptionCommands() {}
void TForm3::RestartIfUntouched() {}
void TForm3::Timer1Timer() { Timer1.Disable(); }

}  // namespace vorlask
