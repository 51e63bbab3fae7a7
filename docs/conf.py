# Sphinx configuration of the kviapws97 documentation. The docs target of
# CMake copies the pages here with what it computes (the accuracy tables, the
# examples' pictures) and sets KVIAPWS97_PYTHON_PATH to the built module.
import os
import sys

project = "kviapws97"
author = "the kviapws97 engineers"
copyright = "2026, " + author
release = os.environ.get("KVIAPWS97_VERSION", "")
version = release

if os.environ.get("KVIAPWS97_PYTHON_PATH"):
    sys.path.insert(0, os.environ["KVIAPWS97_PYTHON_PATH"])

extensions = ["myst_parser", "sphinx.ext.autodoc"]
source_suffix = {".md": "markdown"}
myst_heading_anchors = 3
exclude_patterns = ["python-reference.md", "accuracy-tables.md"]
html_theme = "alabaster"
html_theme_options = {"page_width": "1200px", "sidebar_width": "220px"}
html_title = "kviapws97"
autodoc_member_order = "bysource"


# The module's docstrings are written for help(), as plain text: show them
# as they are, in a literal block, rather than parse them as reStructuredText.
def _docstring_as_text(app, what, name, obj, options, lines):
    if any(line.strip() for line in lines):
        lines[:] = [".. code-block:: text", ""] + ["   " + line for line in lines] + [""]


def setup(app):
    app.connect("autodoc-process-docstring", _docstring_as_text)
