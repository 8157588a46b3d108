// Help: the compiled help file beside the program, else its help page.
#pragma once

// Opens "Ovira.chm" beside the executable when it is there; otherwise the
// help page "Ovira_help.html" beside it in the browser, and when even that
// is missing the help page on the web.
void ShowHelp();
