"""leap: a gap lies between the flap and the trough; fling the ball over it.

The first level's hammock turned so that its free flap hangs on the right of
the start view, over a gap: a ball that only rolls off the flap drops into
it and falls away. Beyond the gap, in plain view, lies a wide landing trough
with a tall wall along its far rim, and from it the channel with the bubbles
runs away from the camera. A quick yank of the cloth under the ball towards
the gap (to the right) throws the ball across; however hard the throw, the
wall stops it and drops it into the trough (its high end, under the camera,
is walled too), so only a throw too soft fails.
"""
from levelkit import BALL_START, WALL_THICKNESS, Level, add
from levels import hammock

NAME = "leap"
HINT = "Grab under the ball; a short quick pull right flings it."

LIP = 0.5
FUNNEL_LIP = 1.3  # where the landing narrows a fast ball climbs the sides
# The landing (levelkit's troughs): wide, along x beyond the gap, its high end
# under the camera; then the channel on away from the camera past the bubbles.
COURSE = [
    (2.6, -7.5, 3.8, 1.8, 0.9),
    (-4.4, -7.5, 2.5, 1.8, 0.9),
    (-6.4, -7.3, 2.1, 1.2, 1.0, FUNNEL_LIP),
    (-7.6, -6.2, 1.7, 0.7, 0.6, FUNNEL_LIP),
    (-7.6, -5.0, 1.5, 0.55, 0.45),
    (-7.6, 3.5, -0.46, 0.55, 0.45),
]
# A ball tossed straight up off the hammock lands in the channel beside it;
# the bubbles begin beyond that stretch, so such a ball still rolls through
# them all instead of coming to rest at the closed end with one missed.
BUBBLE_DISTANCES = [3.8, 5.0, 6.2, 7.4]
# The walls on the landing's far rim and high end, high above the hammock:
# hardly a throw clears them. The far one leans over the landing, so a ball
# that hits it drops.
WALL_TOP = 8.5
WALL_LEAN = 0.8


def build():
    level = Level(NAME, HINT, "assets/levels/" + NAME)
    hammock.add_cloth(level)
    level.quarter_turn((BALL_START[0], BALL_START[2]), 3)
    hammock.add_course(level, COURSE, None, LIP)
    mesh = level.mesh
    # Along the outer lip (the sections' second side, -z) of the landing and the funnel after it.
    feet = [(x, y + h + p[5] if len(p) > 5 else y + h + LIP, z - w) for p in COURSE[:3] for x, z, y, w, h in [p[:5]]]
    for foot0, foot1 in zip(feet, feet[1:]):
        tops = [(f[0], WALL_TOP, f[2] + WALL_LEAN) for f in (foot0, foot1)]
        mesh.slab((foot0, foot1, tops[1], tops[0]), add(foot0, (0.0, 0.0, 1.0)), WALL_THICKNESS)
    # Across the high end.
    x, z, y, w, h = COURSE[0]
    top = y + h + LIP
    mesh.slab(((x, top, z - w), (x, top, z + w), (x, WALL_TOP, z + w), (x, WALL_TOP, z - w)), (x - 1.0, top, z), WALL_THICKNESS)
    level.checkpoints = hammock.bubbles_along(COURSE, BUBBLE_DISTANCES)
    level.use_tacks(3)
    return level
