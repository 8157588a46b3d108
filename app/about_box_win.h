// The about box: name, version, the maker's notice and a link to the web
// site, shown modally over the current owner window.
#pragma once

void ShowAboutBox();
