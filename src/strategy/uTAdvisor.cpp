#include "strategy/uTAdvisor.h"
