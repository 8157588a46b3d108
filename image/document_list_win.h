// Moving through the file list and choosing its order.
#pragma once

// Commands 5700 to 5703 (first, last, previous, next) and 5252 to 5254
// (order by name, date, size). False for other commands.
bool RunListCommand(int command);
