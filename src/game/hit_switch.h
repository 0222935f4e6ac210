// Whether a bullet in the hit zone ends the run.
//
// In the game it always does: the one definition, in hit_switch.cpp, answers
// true, and nothing in the game can change that. The file holds nothing
// else so that a test tool (the trace tool under tests/trace/) can link a
// definition of its own ahead of the game's library and fly the craft
// through bullets; the library's definition is then never linked in.
#pragma once

bool CraftCanBeHit();
