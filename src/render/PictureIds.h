#pragma once
// The numbers of the resources built into the program: the icon and the two break pictures. The
// renderer asks for the pictures by these numbers, the Linux program's resources answer to them and
// the Windows resource script names its resources with them. Plain macros, so that a resource
// script (.rc) and C can include this header too.

#define IDI_PROGRAM 130
#define IDR_BACKGROUND_PICTURE 138
#define IDR_ANIMATION_PICTURE 139
