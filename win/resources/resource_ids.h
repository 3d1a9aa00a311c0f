#pragma once
// Ids of the resources every Windows program of the project carries, shared
// by the resource script and the code that loads them (LoadIconW).
#define IDI_VELTRAMARLIN 1
