#!/usr/bin/env python3
# Balanced openings for long matches: COUNT positions after eight random legal plies from the start
# that Stockfish (from /usr/games) scores within 40 centipawns of equal at depth 12, as EPD lines on
# standard output. docs/openings100.epd is the output of "tools/balanced-openings.py 100 7".
import random
import subprocess
import sys

PLIES = 8
DEPTH = 12
MARGIN = 40


class Engine:
    def __init__(self):
        self.process = subprocess.Popen(['/usr/games/stockfish'], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, bufsize=1)
        self.ask('uci', 'uciok')

    def send(self, command):
        self.process.stdin.write(command + '\n')
        self.process.stdin.flush()

    def ask(self, command, last):
        """Sends a command and returns the lines answered up to the one starting with `last`."""
        self.send(command)
        lines = []
        while True:
            line = self.process.stdout.readline()
            lines.append(line.strip())
            if line.startswith(last):
                return lines

    def legal_moves(self, moves):
        self.send('position startpos moves ' + ' '.join(moves))
        answer = self.ask('go perft 1', 'Nodes searched')
        return [line.split(':')[0] for line in answer if ':' in line and not line.startswith('Nodes')]

    def score(self, moves):
        """Centipawns for the side to move, a mate as 10000."""
        self.send('position startpos moves ' + ' '.join(moves))
        score = None
        for line in self.ask('go depth %d' % DEPTH, 'bestmove'):
            if ' score cp ' in line:
                score = int(line.split(' score cp ')[1].split()[0])
            if ' score mate ' in line:
                score = 10000
        return score

    def epd(self, moves):
        self.send('position startpos moves ' + ' '.join(moves))
        fen = next(line for line in self.ask('d', 'Checkers') if line.startswith('Fen:'))[5:]
        return ' '.join(fen.split()[:4])


def main():
    count = int(sys.argv[1])
    random.seed(int(sys.argv[2]) if len(sys.argv) > 2 else 7)
    engine = Engine()
    found = []
    seen = set()
    while len(found) < count:
        moves = []
        for _ in range(PLIES):
            legal = engine.legal_moves(moves)
            if not legal:
                break
            moves.append(random.choice(legal))
        key = ' '.join(moves)
        if len(moves) < PLIES or key in seen:
            continue
        score = engine.score(moves)
        if score is None or abs(score) > MARGIN:
            continue
        seen.add(key)
        found.append(engine.epd(moves))
    engine.send('quit')
    print('\n'.join(found))


main()
