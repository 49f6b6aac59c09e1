#pragma once

namespace hexagon {

// Everything the program does once the page has loaded it: finds the form's controls in the
// page, attaches what they do, runs Form_Load and puts the focus into the start box. The form
// then lives as long as the page; the browser delivers every later event to it.
void runProgram();

}  // namespace hexagon
