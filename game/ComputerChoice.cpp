// Placeholder until this part of the rules is written.
#include "Game.h"
namespace quimba {
}  // namespace quimba
