/* The numbers of the program's icon and artwork among its resources: read by
   the renderer and by the Windows resource script alike, so plain macros. */
#pragma once

#define ZEPHLET_ICON_RESOURCE 101
#define ZEPHLET_CRAFT_RESOURCE 102
#define ZEPHLET_PLAIN_OBSTACLE_RESOURCE 104
#define ZEPHLET_BLUE_OBSTACLE_RESOURCE 105
#define ZEPHLET_GREEN_OBSTACLE_RESOURCE 106
#define ZEPHLET_CRASHED_CRAFT_RESOURCE 107
#define ZEPHLET_BACKGROUND_RESOURCE 108
