"""turn: the bubbles are out of sight; turn the camera to find the way.

The first level's hammock turned a quarter turn about the ball's drop point:
its free flap hangs on the left of the start view, and a trough with the first
level's board on its far rim lies just beyond the flap's end. The trough runs
down towards the start camera and on behind it, where it narrows into the
channel with the bubbles, out of the start view: a player sees the trough
leave the screen and finds the rest by turning the camera (right button).
Pulling the cloth towards the start camera, as on the first level, only rocks
the ball in the hammock, whose side nearest the camera is pinned; the ball
must go left, down the flap into the trough. Turned a quarter turn to the left
(the mouse a hundred pixels to the right with the right button held), the view
is the first level's, and its pull works: a pull towards you from the cloth
under or beside the ball. Here a steady pull does better than the first
level's quick one: a quick pull throws the ball short of the trough, a slow
one at worst leaves it in the hammock to be pulled again.
"""
from levelkit import BALL_START, Level, end_board
from levels import hammock

NAME = "turn"
HINT = "Right-drag right till the bubbles show; pull down slowly."

# The trough (see levelkit): the catching stretch just beyond the flap's end,
# high end at the far side, then on past the start camera's feet into the
# channel. The stretch is narrower than the first level's, but with the first
# level's board it still catches that level's quick pull from the turned view
# (with a board a unit lower and a stretch 0.9 wide, 12 of 20 such pulls
# failed, 10 of them throwing the ball over the board). The stretch reaches
# 1.3 further up than the first level's, and a board closes its high end:
# a view turned too far throws the ball along the trough, past that end.
COURSE = [
    (-7.0, 0.4, 2.2, 1.4, 1.0),
    (-1.0, 0.4, 1.4, 1.4, 1.0),
    (0.6, -0.2, 1.0, 1.1, 0.7),
    (1.8, 0.0, 0.7, 0.6, 0.5),
    (8.5, 0.0, -0.9, 0.55, 0.45),
]
BUBBLE_DISTANCES = [0.8, 2.4, 4.0, 5.6]


def build():
    level = Level(NAME, HINT, "assets/levels/" + NAME)
    hammock.add_cloth(level)
    level.quarter_turn((BALL_START[0], BALL_START[2]))
    end_board(level.mesh, hammock.add_course(level, COURSE), hammock.BOARD_TOP)
    level.checkpoints = hammock.bubbles_along(COURSE, BUBBLE_DISTANCES)
    level.use_tacks(3)
    return level
