// Keyboard play shared by the puzzle movies' tests.
import * as Play from "../../modules/puzzles/Play.mjs";

// Moves the movie's keyboard cursor to a place with the arrow keys alone, pressed
// through `press`: each time the arrow whose step ends nearest the place. Returns the
// cursor reached.
export function goTo(movie, area, index, press) {
    const layout = movie.table.layout;
    const target = Play.placeCentre(layout, { area: area, index: index });
    const keys = [[Qt.Key_Right, 1, 0], [Qt.Key_Left, -1, 0], [Qt.Key_Down, 0, 1], [Qt.Key_Up, 0, -1]];
    for (let i = 0; i < 40 && !(movie.game.cursor.area === area && movie.game.cursor.index === index); ++i) {
        let best = null, bestDistance = Infinity;
        for (const k of keys) {
            const p = Play.placeCentre(layout, Play.moveCursor(movie.game, layout, k[1], k[2]).cursor);
            const d = Math.hypot(p.x - target.x, p.y - target.y);
            if (d < bestDistance) {
                best = k[0];
                bestDistance = d;
            }
        }
        press(best);
    }
    return movie.game.cursor;
}
