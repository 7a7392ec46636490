// The screens around play: logo, the dissolve to the title, title, demo and the staff roll.
#pragma once

namespace pelko {

int LogoFrame();
int LogoToTitleFrame();
int TitleFrame();
int DemoFrame();
int EndingStartFrame();
int StaffRollFrame();
int StaffRollEndFrame();

} // namespace pelko
