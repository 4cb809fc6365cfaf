"""A VTK file written by the tool, read back by meshio: cells, their velocities, fixed flags."""
import os
import sqlite3
import subprocess
import sys
import tempfile

import meshio  # installed by tools/bootstrap.sh (python3-meshio); missing means a broken set-up


def main(tool):
    with tempfile.TemporaryDirectory() as scratch:
        model = os.path.join(scratch, "m")
        subprocess.run([tool, "new", model, "--extent", "0,30,-20,0", "--size", "4,3",
                        "--velocity", "1000,2000,3000,4000"], check=True, stdout=subprocess.DEVNULL)
        table = os.path.join(model, "model.db")
        with sqlite3.connect(table) as db:
            db.execute("update model set Fix = 1 where rowid = 6")  # node 5: V-line 1, top node
            records = db.execute("select X, Z, V from model order by rowid").fetchall()
        vtu = os.path.join(scratch, "m.vtu")
        subprocess.run([tool, "export", model, "--vtu", vtu], check=True, stdout=subprocess.DEVNULL)

        mesh = meshio.read(vtu)
        assert len(mesh.points) == 12, len(mesh.points)
        quads = mesh.cells_dict["quad"]
        assert len(quads) == 6, quads
        # A cell lives at its top-left node, the last corner of each quad.
        tops = [int(q[3]) for q in quads]
        assert tops == [1, 2, 4, 5, 7, 8], tops
        velocity = mesh.cell_data["velocity"][0]
        fixed = mesh.cell_data["fixed"][0]
        for cell, node in enumerate(tops):
            assert velocity[cell] == records[node][2], (cell, velocity[cell], records[node])
            assert fixed[cell] == (1 if node == 5 else 0), (cell, fixed[cell])
        for node, (x, z, v) in enumerate(records):
            assert tuple(mesh.points[node][:2]) == (x, z), (node, mesh.points[node])
            assert mesh.point_data["velocity"][node] == v, node
    print("meshio read 6 quads with their velocities and fixed flags")


if __name__ == "__main__":
    main(sys.argv[1])
