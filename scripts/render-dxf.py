# Renders a DXF drawing to PNG with ezdxf's drawing add-on (the picture in README.md):
#   /usr/bin/python3 scripts/render-dxf.py DRAWING.dxf PICTURE.png
import sys
import ezdxf, matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
from ezdxf.addons.drawing import RenderContext, Frontend
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
from ezdxf.addons.drawing.properties import LayoutProperties
doc = ezdxf.readfile(sys.argv[1])
doc.header["$PDMODE"] = 35; doc.header["$PDSIZE"] = 0.15
# For the picture only: draw the labels with a CJK font this machine has.
doc.styles.get("STANDARD").dxf.font = "Noto Sans CJK JP.ttf"
fig = plt.figure(figsize=(6, 5.2), dpi=110)
ax = fig.add_axes([0.03, 0.03, 0.94, 0.94])
msp = doc.modelspace()
lp = LayoutProperties.from_layout(msp); lp.set_colors("#ffffff")
Frontend(RenderContext(doc), MatplotlibBackend(ax)).draw_layout(msp, finalize=True, layout_properties=lp)
fig.savefig(sys.argv[2], facecolor="#ffffff")
