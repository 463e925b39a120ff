#include "descriptions.h"

namespace runner {

// Laid out by hand: one family a line, one field of a description a line.
// clang-format off
const std::vector<Family>& families() {
  static const std::vector<Family> list = {
      {"names", "File names and inks", "Text results made through the host's string allocator, and the host's ink fields.", false},
      {"colour", "Colour arithmetic", "Colours are built and taken apart only through the host's Rgb, RgbR, RgbG and RgbB.", true},
      {"shapes", "2D shapes", "Filled ellipses, rectangle outlines, dust and spiral galaxies from the host's pixels, lines and boxes.", true},
      {"widgets", "GUI widgets", "Immediate-mode widgets: draw them every frame; the program keeps their values.", true},
      {"bezier", "Bezier curves", "Cubic curves from a start point, two control points and an end point (given as start, first control, end, second control).", true},
      {"text", "Text effects", "Text drawn with an outline, a shadow or an underline, or typed out a few letters per frame.", true},
      {"fades", "Screen fades", "Blocking fades through a white plane locked on to the camera, one presented frame per alpha step.", true},
      {"pyramid", "Pyramids and reshaped primitives", "Objects built from single triangles or reshaped from host spheres by editing their vertices.", true},
      {"textures", "Solid-colour textures", "One-pixel images of one colour, made through a scratch memblock.", true},
      {"queries", "Spatial queries", "Proximity, distances and angles between points, objects and cameras.", true},
      {"facing", "Facing and axis alignment", "Turning an object towards another object, by the mouse, or so that a direction fixed in it meets a world direction.", true},
      {"rotations", "Rotations and orbit", "Turns about any world axis or the object's own axes, heading, pitch and roll about any up direction, and orbits.", true},
      {"input", "Input and numbers", "One-shot key presses and double clicks, ranged random numbers and negation.", false},
      {"terrain", "Terrain grids", "Smoothing, normals and random heights for the host's matrices.", true},
      {"normalmap", "Images and normal maps", "Pass-throughs to the host's image module, and normal maps built from height images.", true},
      {"sound", "Sounds", "Saving a loaded sound as a WAV file, and stopping a sound that is not playing.", false},
  };
  return list;
}

// A command that acts over time or is meant to be called every frame.
constexpr bool in_motion = true;

const std::vector<Description>& descriptions() {
  static const std::vector<Description> list = {
      // File names and inks
      {"GET FILE EXTENSION", "names", {{"name", "a file name"}},
       "the extension with its leading dot, or an empty text when the name has no dot",
       "Finds the last dot with the host's FindLastChar and returns the name from that dot to the end: \"picture.bmp\" gives \".bmp\", \"archive.tar.gz\" gives \".gz\", \"readme\" gives \"\".",
       "Gives the text the host passes in back to the host's string allocator.",
       "$ext = GET FILE EXTENSION(\"notes.txt\")"},
      {"GET SHORT FILENAME", "names", {{"name", "a file name"}},
       "the text after the last dot (without the dot), or the whole name when it has no dot after its first character",
       "Scans the name backwards from its last character down to its second for a dot: \"picture.bmp\" gives \"bmp\", \"name.\" gives \"\", \".profile\" stays \".profile\".",
       "Gives the text the host passes in back to the host's string allocator.",
       "$short = GET SHORT FILENAME(\"notes.txt\")"},
      {"FRONT INK", "names", {{"colour", "the new foreground ink"}}, "",
       "Stores the colour in the foreground ink field of the host's core data record, without calling the host.",
       "The host's foreground ink is the colour.", "FRONT INK 0xFFFF8000"},
      {"BACK INK", "names", {{"colour", "the new background ink"}}, "",
       "Stores the colour in the background ink field of the host's core data record, without calling the host.",
       "The host's background ink is the colour.", "BACK INK 0xFF000040"},

      // Colour
      {"BRIGHTEN COLOR", "colour", {{"colour", "a colour value"}, {"amount", "added to each channel; negative darkens"}},
       "the brightened colour",
       "Adds the same amount to red, green and blue and clamps each to 0..255: channels (250, 100, 0) by 10 give (255, 110, 10).",
       "", "$light = BRIGHTEN COLOR(0xFF806040, 60)"},
      {"OPPOSITE COLOR", "colour", {{"colour", "a colour value"}}, "the opposite colour",
       "Reflects each channel about 255: (0, 128, 255) gives (255, 127, 0).", "", "$opposite = OPPOSITE COLOR(0xFF2080FF)"},
      {"GREYSCALE COLOR", "colour", {{"colour", "a colour value"}}, "the grey of the same mean brightness",
       "Sets all three channels to (red + green + blue) / 3, truncated.", "", "$grey = GREYSCALE COLOR(0xFFFF8000)"},

      // 2D shapes
      {"FILLED CIRCLE", "shapes",
       {{"x", "centre x"}, {"y", "centre y"}, {"rx", "horizontal radius"}, {"ry", "vertical radius"}, {"colour", "fill colour"}},
       "", "Fills the axis-aligned ellipse dot by dot: every pixel strictly inside it, column by column. Radii of 0 or below draw nothing.",
       "", "FILLED CIRCLE 320, 240, 80, 50, 0xFFFF0000"},
      {"HOLLOW RECT", "shapes", {{"x1", "first corner x"}, {"y1", "first corner y"}, {"x2", "opposite corner x"}, {"y2", "opposite corner y"}},
       "", "Draws the outline of the rectangle as four lines in the current ink; the corners need not be sorted.", "",
       "HOLLOW RECT 20, 20, 200, 120"},
      {"DRAW DUST", "shapes",
       {{"x", "centre x"}, {"y", "centre y"}, {"radius", "radius of the disc"}, {"count", "number of dots"}, {"colour", "dot colour"}},
       "", "Scatters count dots at random on whole-pixel rings within the radius, using the host's random generator.", "",
       "DRAW DUST 100, 380, 60, 400, 0xFFC0C0C0"},
      {"DRAW GALAXY", "shapes",
       {{"x", "centre x"}, {"y", "centre y"}, {"width", "horizontal extent (a scale of width / 200)"},
        {"height", "vertical extent (a scale of height / 200)"}, {"arms", "number of spiral arms"},
        {"twist", "how far the arms bend"}, {"stars", "number of stars"}, {"spread", "random angle jitter in degrees"},
        {"size", "radius scale"}, {"colour", "base star colour; stars brighten towards the centre"}},
       "", "Draws a spiral galaxy of coloured dots, crowded and bright at the centre, and a 5 x 5 white box on the centre.",
       "Leaves the ink white on black.", "DRAW GALAXY 480, 300, 400, 300, 3, 20, 3000, 20, 30, 0xFF4060C0"},

      // Widgets
      {"DRAW BUTTON", "widgets",
       {{"x1", "left"}, {"y1", "top"}, {"x2", "right"}, {"y2", "bottom"}, {"bevel", "bevel width in pixels"},
        {"top_left", "top-left colour"}, {"top_right", "top-right colour"}, {"bottom_left", "bottom-left colour"},
        {"bottom_right", "bottom-right colour"}},
       "", "Fills the box with a four-corner gradient and draws bevel rings, highlighted (+64) on the left and top and shaded (-64) on the right and bottom.",
       "", "DRAW BUTTON 20, 20, 180, 70, 4, 0xFF4060A0, 0xFF4060A0, 0xFF203060, 0xFF203060", in_motion},
      {"MAKE HEALTH BAR", "widgets",
       {{"x1", "left"}, {"y1", "top"}, {"x2", "right"}, {"y2", "bottom"}, {"value", "current value"},
        {"maximum", "full value"}, {"full", "colour above three quarters"}, {"high", "colour from a half to three quarters"},
        {"low", "colour from a quarter to a half"}, {"critical", "colour up to a quarter"}},
       "", "Draws a grey background gradient and a fill from the left edge to value / maximum of the width, in the colour of the quarter the value is in (a value on a border takes the lower band).",
       "", "MAKE HEALTH BAR 20, 100, 220, 116, 60, 100, 0xFF00C000, 0xFFC0C000, 0xFFC06000, 0xFFC00000"},
      {"GUI SLIDER", "widgets", {{"x", "left end of the track"}, {"y", "track line"}, {"length", "track length"}, {"value", "current value, 0 to 1"}},
       "the new value: the mouse's fraction of the track while button 1 is held over it, else the value passed in",
       "Draws the track and the knob at the value passed in (the knob border darker while the mouse hovers); call it every frame and pass the result back in.",
       "Leaves the ink 0xFF909090 on black.", "$value = GUI SLIDER(20, 160, 200, 0.3)", in_motion},
      {"LOADING BAR", "widgets",
       {{"maximum", "the full amount"}, {"current", "the amount done"}, {"x", "left"}, {"y", "top"}, {"caption", "text drawn above the bar"},
        {"frame_red", "frame red"}, {"frame_green", "frame green"}, {"frame_blue", "frame blue"},
        {"bar_red", "bar red"}, {"bar_green", "bar green"}, {"bar_blue", "bar blue"}},
       "", "Draws the caption in the current ink, a 100 x 15 frame and a bar one pixel wide per percent done (at most 100).",
       "Leaves the ink white on black.", "LOADING BAR 50, 40, 20, 220, \"Loading\", 255, 255, 255, 0, 160, 255"},

      // Bezier
      {"DRAWBEZIER", "bezier",
       {{"x0", "start x"}, {"y0", "start y"}, {"x1", "first control x"}, {"y1", "first control y"}, {"x3", "end x"},
        {"y3", "end y"}, {"x2", "second control x"}, {"y2", "second control y"}, {"segments", "number of samples"}},
       "", "Draws the cubic curve as lines in the current ink, merging samples closer than a pixel.", "",
       "DRAWBEZIER 40, 400, 120, 60, 600, 400, 480, 60, 64"},
      {"BEZIERFUNCTION", "bezier", {{"a", "cubic coefficient"}, {"b", "square coefficient"}, {"c", "linear coefficient"}, {"t", "curve parameter, 0 to 1"}},
       "a·t³ + b·t² + c·t: one axis of the curve point, without its start coordinate",
       "Evaluates one axis of a curve in polynomial form (c = 3(P1 - P0), b = 3(P2 - P1) - c, a = P3 - P0 - c - b), without calling the host.",
       "", "$x = BEZIERFUNCTION(1, 2, 3, 0.5)"},
      {"DRAWBEZIERINFO", "bezier",
       {{"x0", "start x"}, {"y0", "start y"}, {"x1", "first control x"}, {"y1", "first control y"}, {"x3", "end x"},
        {"y3", "end y"}, {"x2", "second control x"}, {"y2", "second control y"}},
       "", "Draws the curve's construction in the current ink: both handles, a circle on each control point and a 5 x 5 box on each end point.",
       "", "DRAWBEZIERINFO 40, 400, 120, 60, 600, 400, 480, 60"},

      // Text
      {"TEXT OUTLINE", "text", {{"x", "left"}, {"y", "top"}, {"text", "the text"}}, "",
       "Draws the text four times in black one pixel off each side, then in white on top.",
       "Leaves the ink white on black.", "TEXT OUTLINE 20, 20, \"Outlined\""},
      {"TEXT SHADOW", "text", {{"x", "left"}, {"y", "top"}, {"text", "the text"}}, "",
       "Draws a black copy at (x + 2, y + 1) and the text in white at (x + 1, y).", "Leaves the ink white on black.",
       "TEXT SHADOW 20, 50, \"Shadowed\""},
      {"TEXT UNDERLINE", "text", {{"x", "left"}, {"y", "top"}, {"text", "the text"}}, "",
       "Draws the text and a line under it, as wide as the text, in the current ink.", "", "TEXT UNDERLINE 20, 80, \"Underlined\""},
      {"TYPEWRITER TEXT", "text",
       {{"text", "the whole message"}, {"x", "left"}, {"y", "top"}, {"speed", "characters added per call"}, {"progress", "the previous result; 0 to start"}},
       "the new progress, to pass back on the next call",
       "Advances progress by speed while its whole part is at most the text's length, then draws that many leading characters; called once per frame it types the text out.",
       "", "$progress = TYPEWRITER TEXT(\"Typing...\", 20, 110, 0.5, 0)", in_motion},

      // Fades
      {"FADE SCREEN", "fades", {{"object", "number of the plane object"}, {"delay", "milliseconds slept after each step"}}, "",
       "Fades the view to white: alpha 0 to 99 on a display-sized white plane locked on to the camera, presenting a frame each step. The plane is built when the number is free and reused otherwise.",
       "Ambient light 100; automatic camera off when the plane is built; the plane stays at alpha 99.", "FADE SCREEN 900, 0", in_motion},
      {"DEFADE SCREEN", "fades", {{"object", "number of the plane object"}, {"delay", "milliseconds slept after each step"}}, "",
       "Fades back from white: alpha 100 down to 0, a frame each step.",
       "Ambient light 100; automatic camera off when the plane is built; the plane stays, at alpha 0.", "DEFADE SCREEN 900, 0", in_motion},
      {"FLASH SCREEN", "fades", {{"object", "number of the plane object"}, {"delay", "milliseconds slept after each step"}}, "",
       "Flashes white: alpha 0 up to 99, then 100 down to 0, a frame each step.",
       "Ambient light 100; automatic camera off when the plane is built; the plane stays, at alpha 0.", "FLASH SCREEN 900, 0", in_motion},

      // Pyramid and primitives
      {"CREATE OBJECT PYRAMID", "pyramid",
       {{"object", "number of the new object"}, {"size", "height and base width in world units"}, {"sides", "3 for a triangular base, 4 for a square one"},
        {"texture", "1 merges the faces into one mesh with a white texture"}},
       "", "Builds a pyramid with its apex at (0, size/2, 0), one triangle limb per face, using scratch numbers it frees again.",
       "Prints a runtime error for an existing object or a side count other than 3 or 4, and goes on; leaves the ink changed when textured.",
       "CREATE OBJECT PYRAMID 1, 10, 4, 0"},
      {"CREATE OBJECT DISH", "pyramid",
       {{"object", "number of the new object"}, {"size", "sphere size"}, {"height", "height percentage"}, {"inner", "inner shell size, percent"}},
       "", "Makes a sphere, scales its height and folds its upper half down inside the lower one as a shell of the inner percentage: a bowl.",
       "Uses mesh 5000 as scratch.", "CREATE OBJECT DISH 2, 10, 60, 90"},
      {"CREATE OBJECT CAPSULE", "pyramid",
       {{"object", "number of the new object"}, {"length", "overall length"}, {"size", "sphere size"}},
       "", "Makes a sphere and pulls its halves apart by length - size each way, stretching the middle into a capsule. Does nothing when the length is below the size.",
       "Uses mesh 1 as scratch.", "CREATE OBJECT CAPSULE 3, 12, 4"},
      {"FIX OBJECT SCALE", "pyramid",
       {{"object", "an existing object"}, {"x", "x percentage"}, {"y", "y percentage"}, {"z", "z percentage"}},
       "", "Multiplies every vertex of every limb by the percentages, so that the scale becomes part of the geometry.",
       "Presents one frame per limb.", "FIX OBJECT SCALE 3, 100, 50, 100"},

      // Textures
      {"SINGLE PIXEL IMAGE", "textures", {{"image", "number of the new image"}, {"red", "red"}, {"green", "green"}, {"blue", "blue"}},
       "", "Makes a 1 x 1 image of the colour through memblock 1.", "Replaces memblock 1 (deleted afterwards).",
       "SINGLE PIXEL IMAGE 1, 255, 128, 0"},
      {"COLOR OBJECT WITH TEXTURE", "textures",
       {{"object", "the object to colour"}, {"image", "number of the new image"}, {"red", "red"}, {"green", "green"}, {"blue", "blue"}},
       "", "Makes a 1 x 1 image of the colour and textures the object with it, which colours it evenly.",
       "Replaces memblock 1 (deleted afterwards).", "COLOR OBJECT WITH TEXTURE 1, 2, 0, 200, 255"},

      // Queries
      {"CHECK OBJECT COLLISION AREA", "queries", {{"a", "first object"}, {"b", "second object"}, {"range", "half-width of the box"}},
       "1 when object a lies strictly inside the cube of half-width range around object b, else 0",
       "Compares the two positions axis by axis.", "", "$near = CHECK OBJECT COLLISION AREA(1, 2, 5)"},
      {"GET DISTANCE", "queries",
       {{"x1", "first x"}, {"y1", "first y"}, {"z1", "first z"}, {"x2", "second x"}, {"y2", "second y"}, {"z2", "second z"},
        {"root", "1 for the distance, anything else for its square"}},
       "the distance between the points, or its square", "Computes in 32-bit floats.", "",
       "$distance = GET DISTANCE(0, 0, 0, 3, 4, 12, 1)"},
      {"LOD DISTANCE", "queries", {{"object", "an object"}, {"camera", "a camera"}},
       "the distance between object and camera in the ground plane (heights ignored)", "Reads the x and z positions of both.",
       "", "$ground = LOD DISTANCE(1, 0)"},
      {"ANGLEBETWEENPOINTS", "queries",
       {{"ax", "corner x"}, {"ay", "corner y"}, {"az", "corner z"}, {"bx", "second point x"}, {"by", "second point y"},
        {"bz", "second point z"}, {"cx", "third point x"}, {"cy", "third point y"}, {"cz", "third point z"}},
       "the angle at corner a between the directions to b and to c, in degrees", "Uses the host's SqrtFF and AcosFF.", "",
       "$angle = ANGLEBETWEENPOINTS(0, 0, 0, 1, 0, 0, 0, 1, 0)"},
      {"LINE3D", "queries", {{"x1", "first x"}, {"y1", "first y"}, {"z1", "first z"}, {"x2", "second x"}, {"y2", "second y"}, {"z2", "second z"}},
       "", "Draws a 2D line in the current ink between the screen positions of two world points, found with a scratch object.",
       "Object 1000 is made and deleted.", "LINE3D -10, 0, 20, 10, 0, 20"},

      // Facing and alignment
      {"POINT TOWARDS OBJECT", "facing", {{"object", "the object to turn"}, {"target", "the object to face"}, {"smoothing", "1 turns at once; larger turns more slowly"}},
       "", "Lets the host point the object at the target, then eases each Euler angle from its old value towards the new one; call it every frame.",
       "", "POINT TOWARDS OBJECT 1, 2, 10", in_motion},
      {"MOUSE MOVE", "facing", {{"object", "the object to turn"}, {"unused", "accepted and ignored"}, {"upper", "highest X angle"}, {"lower", "magnitude of the lowest X angle"}},
       "", "Mouse-look: tilts the object about X by the vertical mouse movement / 3.5 (limited to -lower..upper) and turns it about Y by the horizontal movement / 3.5.",
       "", "MOUSE MOVE 1, 0, 80, 80", in_motion},
      {"ALIGN_AXES", "facing",
       {{"object", "the object to turn"}, {"lx", "local direction x (right)"}, {"ly", "local direction y (up)"}, {"lz", "local direction z (forward)"},
        {"tx", "world direction x"}, {"ty", "world direction y"}, {"tz", "world direction z"}},
       "", "Turns the object so that the direction fixed in it points along the world direction.", "",
       "ALIGN_AXES 1, 0, 0, 1, 1, 0, 0"},
      {"SMOOTH_ALIGN_AXES", "facing",
       {{"object", "the object to turn"}, {"lx", "local direction x"}, {"ly", "local direction y"}, {"lz", "local direction z"},
        {"tx", "world direction x"}, {"ty", "world direction y"}, {"tz", "world direction z"}, {"step", "most degrees per call"}},
       "", "As ALIGN_AXES, turning at most step degrees per call.", "", "SMOOTH_ALIGN_AXES 1, 0, 0, 1, 1, 0, 0, 5", in_motion},
      {"ANGLE_AXES", "facing",
       {{"object", "the object to turn"}, {"lx", "local direction x"}, {"ly", "local direction y"}, {"lz", "local direction z"},
        {"tx", "world direction x"}, {"ty", "world direction y"}, {"tz", "world direction z"}, {"angle", "wanted angle in degrees"},
        {"direction", "0 either way, above 0 only closing, below 0 only opening"}},
       "", "Turns the object so that the direction fixed in it makes the wanted angle with the world direction.", "",
       "ANGLE_AXES 1, 0, 0, 1, 0, 1, 0, 45, 0"},
      {"SMOOTH_ANGLE_AXES", "facing",
       {{"object", "the object to turn"}, {"lx", "local direction x"}, {"ly", "local direction y"}, {"lz", "local direction z"},
        {"tx", "world direction x"}, {"ty", "world direction y"}, {"tz", "world direction z"}, {"angle", "wanted angle in degrees"},
        {"direction", "0 either way, above 0 only closing, below 0 only opening"}, {"step", "most degrees per call"}},
       "", "As ANGLE_AXES, turning at most step degrees per call.", "", "SMOOTH_ANGLE_AXES 1, 0, 0, 1, 0, 1, 0, 45, 0, 5", in_motion},

      // Rotations and orbit
      {"ROTATE_GX", "rotations", {{"object", "the object to turn"}, {"angle", "degrees"}}, "",
       "Turns the object about the world X axis through its position.", "", "ROTATE_GX 1, 30", in_motion},
      {"ROTATE_GY", "rotations", {{"object", "the object to turn"}, {"angle", "degrees"}}, "",
       "Turns the object about the world Y axis through its position.", "", "ROTATE_GY 1, 30", in_motion},
      {"ROTATE_GZ", "rotations", {{"object", "the object to turn"}, {"angle", "degrees"}}, "",
       "Turns the object about the world Z axis (adds to its Z angle).", "", "ROTATE_GZ 1, 30", in_motion},
      {"ROTATE_AXIS", "rotations",
       {{"object", "the object to turn"}, {"x", "axis x"}, {"y", "axis y"}, {"z", "axis z"}, {"angle", "degrees"}},
       "", "Turns the object about any world direction through its position; the axis need not be normalised. Skips the turn when the result is not finite.",
       "", "ROTATE_AXIS 1, 1, 1, 0, 45", in_motion},
      {"ROTATE_LX", "rotations", {{"object", "the object to turn"}, {"angle", "degrees"}}, "",
       "Turns the object about its own X axis (adds to its X angle).", "", "ROTATE_LX 1, 30", in_motion},
      {"ROTATE_LY", "rotations", {{"object", "the object to turn"}, {"angle", "degrees"}}, "",
       "Turns the object about its own Y axis.", "", "ROTATE_LY 1, 30", in_motion},
      {"ROTATE_LZ", "rotations", {{"object", "the object to turn"}, {"angle", "degrees"}}, "",
       "Turns the object about its own Z axis.", "", "ROTATE_LZ 1, 30", in_motion},
      {"AXIS_ANGLE_X", "rotations", {{"object", "an object"}, {"x", "up direction x"}, {"y", "up direction y"}, {"z", "up direction z"}},
       "the object's pitch against the up direction, degrees 0 to 360", "Reads the object's frame by moving it one unit and back.",
       "", "$pitch = AXIS_ANGLE_X(1, 0, 1, 0)"},
      {"AXIS_ANGLE_y", "rotations", {{"object", "an object"}, {"x", "up direction x"}, {"y", "up direction y"}, {"z", "up direction z"}},
       "the object's heading about the up direction, degrees 0 to 360", "Reads the object's frame by moving it one unit and back.",
       "", "$heading = AXIS_ANGLE_y(1, 0, 1, 0)"},
      {"AXIS_ANGLE_Z", "rotations", {{"object", "an object"}, {"x", "up direction x"}, {"y", "up direction y"}, {"z", "up direction z"}},
       "the object's roll against the up direction, degrees 0 to 360", "Reads the object's frame by moving it one unit and back.",
       "", "$roll = AXIS_ANGLE_Z(1, 0, 1, 0)"},
      {"ORBIT", "rotations",
       {{"object", "the object to carry"}, {"cx", "centre x"}, {"cy", "centre y"}, {"cz", "centre z"}, {"ax", "axis x"},
        {"ay", "axis y"}, {"az", "axis z"}, {"angle", "degrees"}},
       "", "Carries the object around the line through the centre along the axis, turning it by the same angle, as if fixed to the line.",
       "", "ORBIT 2, 0, 0, 30, 0, 1, 0, 45", in_motion},

      // Input and numbers
      {"RND MIN MAX", "input", {{"low", "lowest value"}, {"high", "highest value"}},
       "a random integer from low to high inclusive (at most 32768 different values)",
       "Reseeds its own generator from the calendar time and its previous draw on every call.", "", "$dice = RND MIN MAX(1, 6)"},
      {"SINGLE KEYCHECK", "input", {{"key", "key code, 0 to 254"}}, "1 on the call where the key goes down, else 0",
       "Compares the host's key state with what the previous call saw.", "Keeps the key's state for the next call.",
       "$pressed = SINGLE KEYCHECK(32)", in_motion},
      {"MOUSE DOUBLECLICK", "input", {{"button", "the button state that counts as a click"}}, "1 on the call that completes a double click, else 0",
       "Watches the host's mouse button and timer; the two clicks must come within the system's double-click time with a release between them.",
       "Keeps the click state for the next call.", "$double = MOUSE DOUBLECLICK(1)", in_motion},
      {"SWAP", "input", {{"value", "a float"}}, "the float's negation, as its 32-bit pattern", "Returns -value (+0 for either zero).", "",
       "$negated = SWAP(2.5)"},

      // Terrain grids
      {"SMOOTH MATRIX", "terrain", {{"matrix", "matrix number"}, {"size", "tiles per side"}, {"passes", "number of smoothing passes"}},
       "", "Sets each inner vertex to the mean of its four neighbours, in place, pass after pass, then applies the matrix.", "",
       "SMOOTH MATRIX 1, 8, 2", in_motion},
      {"NORMALIZE MATRIX", "terrain", {{"matrix", "matrix number"}, {"size", "tiles per side"}},
       "", "Sets each vertex normal from the height differences to its neighbours (tile spacing 25), then applies the matrix.", "",
       "NORMALIZE MATRIX 1, 8", in_motion},
      {"RANDOMIZE MATRIX", "terrain", {{"matrix", "matrix number"}, {"size", "tiles per side"}, {"low", "lowest height"}, {"high", "highest height"}},
       "", "Seeds the host's generator from its timer and gives every vertex a random whole-number height from low up.",
       "Reseeds the host's random generator.", "RANDOMIZE MATRIX 1, 8, 0, 50"},

      // Images and normal maps
      {"LOCK IMAGE", "normalmap", {{"image", "image number"}}, "", "Passes the call to the host's image Lock.", "", "LOCK IMAGE 1"},
      {"UNLOCK IMAGE", "normalmap", {{"image", "image number"}}, "", "Passes the call to the host's image Unlock.", "", "UNLOCK IMAGE 1"},
      {"WRITE IMAGE", "normalmap",
       {{"image", "image number"}, {"a", "passed on"}, {"b", "passed on"}, {"c", "passed on"}, {"d", "passed on"}, {"e", "passed on"}, {"f", "passed on"}},
       "", "Passes its seven integers unchanged to the host's image Write.", "", "WRITE IMAGE 1, 0, 0, 0, 0, 0, 0"},
      {"MAKE NORMAL MAP", "normalmap", {{"source", "height image (its blue channel)"}, {"result", "image to make"}, {"sense", "1 for one gradient sense, anything else for the other"}},
       "", "Reads the source as a height field (wrapping at the edges) and makes an image whose red, green and blue encode the surface normal.",
       "Replaces memblocks 1 and 2 (deleted afterwards).", "MAKE NORMAL MAP 1, 2, 1"},

      // Sounds
      {"SAVESOUND", "sound", {{"sound", "a loaded sound"}, {"file", "the WAV file to write"}}, "",
       "Copies the sound into memblock 1000 and writes it as a RIFF WAVE file through file 1000.",
       "Memblock 1000 and file 1000 are replaced, then deleted and closed.", "SAVESOUND 1, \"copy.wav\""},
      {"END SOUND", "sound", {{"sound", "a sound"}}, "", "Calls the host's StopSound, but only when the sound is not playing.", "",
       "END SOUND 1"},
  };
  return list;
}
// clang-format on

const Description* find_description(std::string_view command) {
  for (const Description& description : descriptions())
    if (description.command == command) return &description;
  return nullptr;
}

std::string command_stem(std::string_view command) {
  std::string stem;
  for (char c : command) {
    if (c == ' ')
      stem += '-';
    else
      stem += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return stem;
}

std::string command_picture(std::string_view command) {
  const Description* description = find_description(command);
  bool animated = description && description->shown_in_motion;
  return "commands/" + command_stem(command) + (animated ? ".gif" : ".png");
}

}  // namespace runner
