// <fractal-tree>: the animated fractal tree as an element of any page.
//
//   <script type="module" src="fractal-tree.mjs"></script>
//   <fractal-tree></fractal-tree>
//
// Each element runs its own instance of the program on a canvas of its own.
// A click, a tap, or Space or Enter while it has the focus pauses the tree
// and resumes it; so does its `paused` attribute, which it reflects. A
// reader who asked for less motion gets a still tree, paused, until they
// resume it. An element taken out of the page stops its ticks.

import createFractalTree from './fractal-tree.js';

const lessMotion = matchMedia('(prefers-reduced-motion: reduce)');

// The program compiled once for every element of the page.
let compiled;
function compile() {
  compiled ??= fetch(new URL('fractal-tree.wasm', import.meta.url))
    .then((response) => response.arrayBuffer())
    .then((bytes) => WebAssembly.compile(bytes));
  return compiled;
}

// The element's look, as a style sheet of its own: a page's Content Security
// Policy may forbid style elements, not these. The canvas takes no pointer of
// its own: a click or a tap is the element's.
const look = new CSSStyleSheet();
look.replaceSync(`
  :host { display: inline-block; cursor: pointer; }
  :host(:focus-visible) { outline: 3px solid Highlight; outline-offset: 2px; }
  canvas { display: block; width: 342px; height: 366px; background: #000; pointer-events: none; image-rendering: pixelated; }
  p { max-width: 342px; line-height: normal; }
`);

class FractalTreeElement extends HTMLElement {
  static observedAttributes = ['paused'];

  #canvas;
  #program;

  constructor() {
    super();
    const root = this.attachShadow({ mode: 'open' });
    root.adoptedStyleSheets = [look];
    this.#canvas = document.createElement('canvas');
    root.append(this.#canvas);
    this.addEventListener('click', () => this.#toggle());
    this.addEventListener('keydown', (event) => {
      if (event.key !== ' ' && event.key !== 'Enter') return;
      event.preventDefault();
      this.#toggle();
    });
    lessMotion.addEventListener('change', () => {
      this.paused = lessMotion.matches;
    });
  }

  get paused() {
    return this.hasAttribute('paused');
  }

  set paused(paused) {
    this.toggleAttribute('paused', Boolean(paused));
  }

  connectedCallback() {
    if (!this.hasAttribute('tabindex')) this.tabIndex = 0;
    if (!this.hasAttribute('role')) this.setAttribute('role', 'button');
    if (!this.hasAttribute('aria-label')) this.setAttribute('aria-label', 'Pause the animated fractal tree');
    if (lessMotion.matches) this.paused = true;
    this.setAttribute('aria-pressed', String(this.paused));
    if (this.#program) {
      this.#tell();
    } else {
      this.#start();
    }
  }

  disconnectedCallback() {
    this.#program?.then((program) => program._fractal_tree_pause(1));
  }

  attributeChangedCallback() {
    this.setAttribute('aria-pressed', String(this.paused));
    if (this.#program && this.isConnected) this.#tell();
  }

  #toggle() {
    this.paused = !this.paused;
  }

  #tell() {
    this.#program.then((program) => program._fractal_tree_pause(this.paused && this.isConnected ? 1 : 0));
  }

  #start() {
    this.#program = createFractalTree({
      canvas: this.#canvas,
      startPaused: this.paused,
      instantiateWasm: (imports, receive) => {
        compile()
          .then((module) => WebAssembly.instantiate(module, imports))
          .then((instance) => receive(instance));
        return {};
      },
    });
    // Whatever changed while the program was loading.
    this.#tell();
  }
}

customElements.define('fractal-tree', FractalTreeElement);
