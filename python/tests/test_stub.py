"""The type stub names what the module has, so that editors and help() agree with it."""
import ast
import pathlib

import quasigrid as qg

STUB = pathlib.Path(__file__).resolve().parent.parent / "quasigrid.pyi"


def stub_names():
    tree = ast.parse(STUB.read_text())
    classes = {c.name: c for c in tree.body if isinstance(c, ast.ClassDef)}
    members = {name: {f.name for f in c.body if isinstance(f, ast.FunctionDef)}
               | {f.target.id for f in c.body if isinstance(f, ast.AnnAssign)}
               for name, c in classes.items()}
    functions = {f.name for f in tree.body if isinstance(f, ast.FunctionDef)}
    return set(classes) | functions, members


def public(obj):
    return {n for n in dir(obj) if not n.startswith("__")}


def test_stub_matches_the_module():
    top, members = stub_names()
    assert top == public(qg)
    for cls in ("Model", "Horizon"):
        assert {n for n in members[cls] if not n.startswith("__")} == public(getattr(qg, cls))
    for name in public(qg.Model):
        assert getattr(qg.Model, name).__doc__, name
