#!/usr/bin/python3
"""Writes the DXF fixtures that another program made: run once with Debian's python3-ezdxf
(`apt-get install python3-ezdxf`) in this folder; the files are kept with the tests, so the
tests never need it."""

import ezdxf


def add_block_with_insert(doc, msp):
    # A block's lines are not entities of the drawing itself: the INSERT that places them is not read.
    block = doc.blocks.new(name="FRAME")
    block.add_line((0, 0, 0), (1, 0, 0))
    block.add_line((1, 0, 0), (1, 1, 0))
    msp.add_blockref("FRAME", (100, 100))


def r12():
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    # A square of four LINEs: 4 joints, 4 members.
    msp.add_line((0, 0, 0), (2, 0, 0))
    msp.add_line((2, 0, 0), (2, 2, 0))
    msp.add_line((2, 2, 0), (0, 2, 0))
    msp.add_line((0, 2, 0), (0, 0, 0))
    # A LINE with a tilted extrusion: its points are world points all the same; it shares (2,2,0).
    msp.add_line((2, 2, 0), (2, 2, 3), dxfattribs={"extrusion": (1, 0, 0)})
    # Heavy polylines are not read.
    msp.add_polyline2d([(10, 0), (11, 0), (11, 1)])
    msp.add_polyline3d([(20, 0, 0), (21, 0, 1), (22, 1, 2)])
    msp.add_circle((5, 5), 1)
    add_block_with_insert(doc, msp)
    doc.saveas("ezdxf_r12.dxf")


def r12_polylines_only():
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_polyline2d([(0, 0), (1, 0), (1, 1)], close=True)
    msp.add_polyline3d([(0, 0, 0), (0, 0, 1)])
    doc.saveas("ezdxf_r12_polylines.dxf")


def r2018():
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    # One LINE: 2 joints, 1 member.
    msp.add_line((0, 0, 0), (10, 0, 0))
    # An open polyline with a bulge (ignored) starting on the LINE's end: +2 joints, 2 members.
    msp.add_lwpolyline([(10, 0, 0.5), (10, 5), (15, 5)], format="xyb")
    # A closed square polyline: 4 joints, 4 members.
    msp.add_lwpolyline([(20, 0), (21, 0), (21, 1), (20, 1)], close=True)
    # A tilted polyline in the plane x = 5 (extrusion +X, elevation 5): the vertex (2, 3) lies at
    # (5, 2, 3), the vertex (4, 3) at (5, 4, 3): 2 joints, 1 member.
    msp.add_lwpolyline([(2, 3), (4, 3)], dxfattribs={"extrusion": (1, 0, 0), "elevation": 5})
    # A polyline drawn upside down (extrusion -Z, elevation 1): (1, 1) lies at (-1, 1, -1):
    # 3 joints, 2 members.
    msp.add_lwpolyline([(1, 1), (2, 1), (2, 2)], dxfattribs={"extrusion": (0, 0, -1), "elevation": 1})
    # Not read: a heavy polyline, a circle, a text and a block reference.
    msp.add_polyline3d([(30, 0, 0), (31, 0, 1)])
    msp.add_circle((5, 5), 1)
    msp.add_text("frame")
    add_block_with_insert(doc, msp)
    doc.saveas("ezdxf_r2018.dxf")


if __name__ == "__main__":
    r12()
    r12_polylines_only()
    r2018()
