#include "strategy/uTComputerPlayer.h"
